#pragma once
// MIDI intake: turns one block of host events into note-table updates and,
// in practice mode, scoring steps. Runs on the host's processing thread, so it
// allocates nothing, takes no lock and does constant work per event.
struct VstEvents;
struct VstTimeInfo;

// Applies a block in list order (deltaFrames is ignored). A time info whose
// transport-changed bit is set clears the note table first. Asks the view for
// one redraw at the end, whatever the block held. Tolerates a null block, a
// negative count and null event pointers.
void receiveMidiBlock(const VstEvents* events, const VstTimeInfo* time);

// For tests: runs on the processing thread after a block's events were scored
// and before its tally is published, so that a test can land a practice
// switch there. Null in the product; set it only while no block is received.
extern void (*midiBlockScoredHook)();
