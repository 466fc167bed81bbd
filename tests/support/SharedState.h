#pragma once
// Puts the plug-in's process-wide state back as it is when the library is
// loaded, so that each test starts from the same place.
#include "plugin/shared/NoteTable.h"
#include "plugin/shared/PracticeState.h"
#include "view3d/ViewState.h"

inline void resetSharedState()
{
    viewState = ViewState{};
    practice.practiceMode = false;
    practice.practiceScore = 0;
    practice.practiceMaximum = 0;
    practice.scoringRule = 0;
    clearNoteTable();
}
