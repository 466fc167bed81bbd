#include "plugin/MidiIntake.h"

#include "framework/Vst2Abi.h"
#include "plugin/NoteTable.h"
#include "plugin/PracticeState.h"
#include "plugin/RedrawRequest.h"

namespace {

void receiveMidiEvent(const VstMidiEvent& event, bool scoring, ScoreTally& tally)
{
    const int status = static_cast<unsigned char>(event.midiData[0]);
    const int channel = status & 0x0F;
    const int kind = status & 0xF0;
    const int note = event.midiData[1] & 0x7F;
    const int velocity = event.midiData[2] & 0x7F;
    const bool isReference = channel == referenceChannel;

    if (note < lowestTabledNote)
        return;
    NoteEntry& entry = noteTable.entries[note - lowestTabledNote];

    if (kind == 0x90 && velocity > 0) {
        entry.velocity.store(velocity, std::memory_order_relaxed);
        if (scoring)
            scoreStep(entry, isReference ? ReferenceNoteOn : OtherNoteOn, tally);
    } else if (kind == 0x80 || kind == 0x90) {
        entry.velocity.store(0, std::memory_order_relaxed);
        if (scoring)
            scoreStep(entry, isReference ? ReferenceNoteOff : OtherNoteOff, tally);
    }
}

} // namespace

void (*midiBlockScoredHook)() = nullptr;

void receiveMidiBlock(const VstEvents* events, const VstTimeInfo* time)
{
    if (time && (time->flags & kVstTransportChanged))
        clearNoteTable();

    // The host allocates room for numEvents pointers past the declared two.
    VstEvent* const* list = events ? events->events : nullptr;
    const int32_t count = events ? events->numEvents : 0;
    // Practice mode is switched on the user-interface thread; a block is
    // scored as a whole or not at all, and its tally counts only in the
    // practice run it started in.
    ScoreTally tally = startTally();
    const bool scoring = practice.practiceMode.load(std::memory_order_relaxed);
    for (int32_t i = 0; i < count; ++i) {
        const VstEvent* event = list[i];
        if (event && event->type == kVstMidiType)
            receiveMidiEvent(*reinterpret_cast<const VstMidiEvent*>(event), scoring, tally);
    }
    if (midiBlockScoredHook)
        midiBlockScoredHook();
    publishScore(tally);

    requestRedisplay();
}
