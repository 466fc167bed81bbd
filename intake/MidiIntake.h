#pragma once
// MIDI intake: turns one block of host events into note-table updates and,
// in practice mode, scoring steps. Runs on the host's processing thread, so it
// allocates nothing, takes no lock and does constant work per event.
#include <cstdint>

struct VstEvents;
struct VstTimeInfo;

// What one block brought, as the host sent it: MIDI events of any kind, and
// among them note-ons with a velocity above 0, on any channel and any note
// (also those below 12, which change nothing).
struct MidiBlockCounts {
    int32_t midiEvents = 0;
    int32_t noteOns = 0;
};

// Applies a block in list order (deltaFrames is ignored). A time info whose
// transport-changed bit is set clears the note table first. Asks the view for
// one redraw at the end, whatever the block held. Tolerates a null block, a
// negative count and null event pointers.
MidiBlockCounts receiveMidiBlock(const VstEvents* events, const VstTimeInfo* time);

// For tests: runs on the processing thread after a block's events were scored
// and before its tally is published, so that a test can land a practice
// switch there. Null in the product; set it only while no block is received.
extern void (*midiBlockScoredHook)();
