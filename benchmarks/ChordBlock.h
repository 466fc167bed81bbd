#pragma once
// The block the frame figures play: a chord struck, then released, on every
// other round, so that each frame has keys to change.
#include "tests/support/MidiBlock.h"

inline MidiBlock chordBlock(bool strike)
{
    MidiBlock block;
    for (const int note : {60, 64, 67, 72, 76, 79}) {
        if (strike)
            block.noteOn(0, note, 100);
        else
            block.noteOff(0, note);
    }
    return block;
}
