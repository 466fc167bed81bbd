#include "state/SharedStateReset.h"

#include "state/NoteTable.h"
#include "state/PracticeState.h"

void resetSharedState()
{
    practice.practiceMode.store(false, std::memory_order_relaxed);
    practice.scoringRule.store(0, std::memory_order_relaxed);
    clearNoteTable();
    practice.practiceMaximum.store(0, std::memory_order_relaxed);
    practice.practiceScore.store(0, std::memory_order_relaxed);
    startPracticeRun();
}
