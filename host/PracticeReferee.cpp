#include "host/PracticeReferee.h"

#include "plugin/MidiIntake.h"
#include "plugin/NoteTable.h"
#include "plugin/PracticeState.h"

namespace {
constexpr int resetTag = 137;
constexpr int practiceTag = 139;
constexpr int ruleTag = 140;
} // namespace

PracticeReferee::PracticeReferee()
{
    clearNoteTable();
    practice.practiceMode.store(false);
    practice.practiceScore.store(0);
    practice.practiceMaximum.store(0);
    practice.scoringRule.store(0);
}

void PracticeReferee::onBlock(const VstEvents* events, const VstTimeInfo* time)
{
    receiveMidiBlock(events, time);
}

void PracticeReferee::onPanelPress(int tag)
{
    if (tag == resetTag)
        clearNoteTableInNewRun();
    else if (tag == practiceTag)
        togglePracticeMode();
    else if (tag == ruleTag)
        nextScoringRule();
}

bool PracticeReferee::practiceMode() const
{
    return practice.practiceMode.load(std::memory_order_relaxed);
}

bool PracticeReferee::percentage(float& percent) const
{
    return practicePercentage(percent);
}
