#pragma once
// The block every MIDI intake benchmark plays: note-ons and note-offs in turn
// over the keyboard, on every channel including the reference channel, with a
// controller now and then.
#include "tests/support/MidiBlock.h"

inline MidiBlock mixedBlock(int eventCount)
{
    MidiBlock block;
    for (int i = 0; i < eventCount; ++i) {
        const int channel = i % 16;
        const int note = 21 + (i * 7) % 88;
        if (i % 10 == 9)
            block.add(static_cast<unsigned char>(0xB0 | channel), 64, 127);
        else if (i % 2 == 0)
            block.noteOn(channel, note, 1 + i % 127);
        else
            block.noteOff(channel, note);
    }
    return block;
}
