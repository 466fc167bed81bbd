#include "intake/MidiIntake.h"

#include "state/NoteTable.h"
#include "state/PracticeState.h"
#include "state/RedrawRequest.h"

#include <algorithm>

namespace {

// Only note-ons (0x9n) and note-offs (0x8n) of notes that have an entry
// change anything. Written without branches on the kind of note, which hosts
// mix unpredictably. Answers whether the event was a note-on.
bool receiveMidiMessage(const MidiMessage& message, ScoreTally* tally)
{
    const int status = message.bytes[0];
    const int note = message.bytes[1] & 0x7F;
    const int velocity = message.bytes[2] & 0x7F;
    const bool noteOn = (status & 0xF0) == 0x90 && velocity > 0; // velocity 0 is a note-off
    if ((status & 0xE0) != 0x80 || note < lowestTabledNote)
        return noteOn;
    NoteEntry& entry = noteTable.entries[note - lowestTabledNote];
    entry.velocity.store(noteOn ? velocity : 0, std::memory_order_relaxed);
    if (tally) {
        const bool isReference = (status & 0x0F) == referenceChannel;
        const ScoreEventKind kind =
            isReference ? (noteOn ? ReferenceNoteOn : ReferenceNoteOff) : (noteOn ? OtherNoteOn : OtherNoteOff);
        scoreStep(entry, kind, *tally);
    }
    return noteOn;
}

// `tally` null: practice mode is off. Instantiated apart, so that the loop
// of either mode tests nothing it does not need.
template <bool Scoring> MidiBlockCounts receiveMessages(const MidiMessageBlock& block, ScoreTally* tally)
{
    constexpr int32_t runLength = 64;
    MidiMessage messages[runLength];
    MidiBlockCounts counts;
    for (int32_t first = 0; first < block.count; first += runLength) {
        const int32_t read = block.read(block.source, first, std::min(runLength, block.count - first), messages);
        counts.midiEvents += read;
        for (int32_t i = 0; i < read; ++i)
            counts.noteOns += receiveMidiMessage(messages[i], Scoring ? tally : nullptr);
    }
    return counts;
}

} // namespace

void (*midiBlockScoredHook)() = nullptr;

MidiBlockCounts receiveMidiBlock(const MidiMessageBlock& block)
{
    if (block.transportChanged)
        clearNoteTable();

    // Practice mode is switched on the user-interface thread; a block is
    // scored as a whole or not at all, and its tally, taken before the mode is
    // read, counts only in the practice run it started in.
    ScoreTally tally;
    const MidiBlockCounts counts = practice.practiceMode.load(std::memory_order_relaxed)
        ? receiveMessages<true>(block, &tally)
        : receiveMessages<false>(block, nullptr);
    if (midiBlockScoredHook)
        midiBlockScoredHook();
    publishScore(tally);

    requestRedisplay();
    return counts;
}
