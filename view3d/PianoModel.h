#pragma once
// A piano keyboard of 37, 61, 76 or 88 keys. It shows, key by key, which notes
// are held (outside practice mode) or how each note stands in practice scoring.
#include "view3d/InstrumentModel.h"

class PianoModel : public InstrumentModel {
public:
    PianoModel(int keyCount, int startOctave, int startPitchClass);

    float getWhiteKeyCount() const { return whiteKeyCount; }

    // For each pitch class C..B, the index of its white key within the octave
    // (the white key itself, or the one just below a black key).
    static const int whiteIndexOfPitchClass[12];

private:
    float countWhiteKeys() const;

    float whiteKeyCount;
};
