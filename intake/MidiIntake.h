#pragma once
// MIDI intake: turns one block of MIDI messages into note-table updates and,
// in practice mode, scoring steps. Runs on the host's processing thread, so it
// allocates nothing, takes no lock and does constant work per message.
//
// A block is read where the format keeps it: the intake asks for each entry
// in the three-byte form every format can give, without its time in the block
// (the view shows a block at once), so no format copies its events first.
#include <cstdint>

// Status byte and two data bytes; the data bytes' top bits are ignored.
struct MidiMessage {
    unsigned char bytes[3];
};

struct MidiMessageBlock {
    // Writes the messages among entries first .. first + count - 1 of
    // `source` into `messages`, in list order, and answers how many it wrote;
    // entries that are no message (another kind of event, or missing) are
    // skipped. Asked for a run of entries at a time, so that a block costs one
    // call per run, not per event.
    int32_t (*read)(const void* source, int32_t first, int32_t count, MidiMessage* messages);
    const void* source;
    int32_t count;
    // The host's transport jumped, started or stopped: the notes held so far
    // are cleared before the block's own.
    bool transportChanged;
};

// What one block brought: MIDI messages of any kind, and among them note-ons
// with a velocity above 0, on any channel and any note (also those below 12,
// which change nothing).
struct MidiBlockCounts {
    int32_t midiEvents = 0;
    int32_t noteOns = 0;
};

// Applies a block in list order. Asks the view for one redraw at the end,
// whatever the block held. A count of 0 or less is an empty block.
MidiBlockCounts receiveMidiBlock(const MidiMessageBlock& block);

// For tests: runs on the processing thread after a block's events were scored
// and before its tally is published, so that a test can land a practice
// switch there. Null in the product; set it only while no block is received.
extern void (*midiBlockScoredHook)();
