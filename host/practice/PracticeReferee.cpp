#include "host/practice/PracticeReferee.h"

#include "editor/PanelLayout.h"
#include "host/practice/ScoreOutcomes.h"
#include "formats/vst2/VstEventBlock.h"
#include "state/NoteTable.h"
#include "state/PracticeState.h"
#include "state/SharedStateReset.h"

PracticeReferee::PracticeReferee()
{
    resetSharedState();
}

void PracticeReferee::onBlock(const VstEvents* events, const VstTimeInfo* time, const int* bars)
{
    // The transport change first, as the intake handles it ahead of the block.
    receiveMidiBlock(nullptr, time);
    VstEvent* const* list = events ? events->events : nullptr;
    const int32_t count = events ? events->numEvents : 0;
    for (int32_t i = 0; i < count; ++i) {
        if (list[i] && list[i]->type == kVstMidiType)
            score(*reinterpret_cast<const VstMidiEvent*>(list[i]), bars ? bars[i] : 1);
    }
}

void PracticeReferee::score(const VstMidiEvent& event, int bar)
{
    const int status = static_cast<unsigned char>(event.midiData[0]);
    const int note = event.midiData[1] & 0x7F;
    const bool noteOn = (status & 0xF0) == 0x90 && (event.midiData[2] & 0x7F) > 0;
    const bool noteOff = !noteOn && ((status & 0xF0) == 0x80 || (status & 0xF0) == 0x90);
    const bool scoring = practice.practiceMode.load(std::memory_order_relaxed);
    const int rule = practice.scoringRule.load(std::memory_order_relaxed) != 0 ? 1 : 0;
    const bool tabled = note >= lowestTabledNote;
    const int state = tabled ? noteTable.entries[note - lowestTabledNote].scoreState.load() : 0;
    const int32_t scoreBefore = practice.practiceScore.load(std::memory_order_relaxed);
    const int32_t maximumBefore = practice.practiceMaximum.load(std::memory_order_relaxed);

    VstEvents single{};
    single.numEvents = 1;
    single.events[0] = reinterpret_cast<VstEvent*>(const_cast<VstMidiEvent*>(&event));
    receiveMidiBlock(&single, nullptr);

    if (!scoring || !tabled || !(noteOn || noteOff) || state < 0 || state > 7)
        return;
    const int kind = ((status & 0x0F) == referenceChannel ? ReferenceNoteOn : OtherNoteOn) + (noteOff ? 1 : 0);
    tally.record(bar, note, scoreOutcomes[rule][kind][state],
        practice.practiceScore.load(std::memory_order_relaxed) - scoreBefore,
        practice.practiceMaximum.load(std::memory_order_relaxed) - maximumBefore, rule);
}

void PracticeReferee::onPanelPress(int tag)
{
    if (tag == TagReset) {
        clearNoteTableInNewRun();
    } else if (tag == TagPractice) {
        togglePracticeMode();
        tally.reset();
    } else if (tag == TagScoringRule) {
        nextScoringRule();
    }
}

bool PracticeReferee::practiceMode() const
{
    return practice.practiceMode.load(std::memory_order_relaxed);
}

bool PracticeReferee::percentage(float& percent) const
{
    return practicePercentage(percent);
}

PracticeSummary PracticeReferee::summary() const
{
    PracticeSummary result;
    result.practiceMode = practiceMode();
    result.rule = practice.scoringRule.load(std::memory_order_relaxed) != 0 ? 1 : 0;
    result.hasPercentage = practicePercentage(result.percentage);
    result.score = practice.practiceScore.load(std::memory_order_relaxed);
    result.maximum = practice.practiceMaximum.load(std::memory_order_relaxed);
    tally.summarize(result);
    return result;
}
