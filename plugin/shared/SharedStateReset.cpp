#include "plugin/shared/SharedStateReset.h"

#include "plugin/shared/NoteTable.h"
#include "plugin/shared/PracticeState.h"

void resetSharedState()
{
    practice.practiceMode.store(false, std::memory_order_relaxed);
    practice.scoringRule.store(0, std::memory_order_relaxed);
    clearNoteTable();
    practice.practiceMaximum.store(0, std::memory_order_relaxed);
    practice.practiceScore.store(0, std::memory_order_relaxed);
    startPracticeRun();
}
