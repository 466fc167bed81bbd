#pragma once
// The table of sounding notes, shared by every instance of the plug-in in the
// process. MIDI intake writes it on the host's processing thread; the models
// read it on the thread that draws the view while they draw. Each field is a
// lock-free 32-bit atomic, so a frame always sees whole values (possibly a mix
// of two blocks, which only shows as one frame of lag).
#include <atomic>
#include <cstdint>

struct NoteEntry {
    std::atomic<int32_t> velocity{0}; // last note-on velocity 1..127, 0 when silent
    std::atomic<int32_t> scoreState{0}; // practice-scoring state 0..7
};

// Entry i belongs to MIDI note i + 12; notes 0..11 have no entry. Entries above
// note 127 are never written but are cleared with the rest.
constexpr int noteTableSize = 256;
constexpr int lowestTabledNote = 12;

struct NoteTable {
    NoteEntry entries[noteTableSize];
};

extern NoteTable noteTable;

// Silences every note and resets every practice state.
void clearNoteTable();

// Looks at the 39 entries base .. base + 38 from the top down and answers the
// position (1..39, counted from 1 at base) of the highest sounding one, or 0.
// Positions outside the table count as silent.
int32_t highestHeldNote(int32_t base);

// How many notes sound now, on every channel together (the table has one
// entry per note). Any thread; a count taken while a block is applied may
// mix the states before and after it.
int32_t heldNoteCount();
