#pragma once
// Atom sequences as the plug-in reads and writes them on the processing
// thread: in place, without copying or allocating.
#include "intake/MidiIntake.h"

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include <cstdint>

// A MIDI event's atom as the intake's three-byte message; false for any
// other atom, and for MIDI that is no short message (system exclusive).
bool readMidiMessage(const LV2_Atom& atom, LV2_URID midiEvent, MidiMessage& message);

// The MIDI events of a sequence as the intake reads them (intake/MidiIntake.h).
// The intake asks for runs of entries in order, so the cursor remembers where
// the last run ended instead of walking from the start each time.
class AtomMidiBlock {
public:
    AtomMidiBlock(const LV2_Atom_Sequence* sequence, LV2_URID midiEvent);

    AtomMidiBlock(const AtomMidiBlock&) = delete;
    AtomMidiBlock& operator=(const AtomMidiBlock&) = delete;

    // Valid while this object lives; a null sequence is an empty block.
    MidiMessageBlock block() const;

private:
    static int32_t read(const void* source, int32_t first, int32_t count, MidiMessage* messages);
    const LV2_Atom_Event* seek(int32_t index) const;

    const LV2_Atom_Sequence* sequence;
    LV2_URID midiEvent;
    int32_t count = 0;
    mutable const LV2_Atom_Event* cursor = nullptr;
    mutable int32_t cursorIndex = 0;
};

// Fills an output sequence whose capacity the host wrote into its size.
class AtomSequenceWriter {
public:
    // Empties `sequence`; with a capacity too small for any event (or a null
    // sequence) every append fails.
    AtomSequenceWriter(LV2_Atom_Sequence* sequence, LV2_URID sequenceType);

    // Appends one event; false, and nothing written, when it does not fit.
    bool append(int64_t frames, LV2_URID type, const void* body, uint32_t size);

private:
    LV2_Atom_Sequence* sequence;
    uint32_t capacity = 0;
};
