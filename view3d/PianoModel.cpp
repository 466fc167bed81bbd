#include "view3d/PianoModel.h"

#include <cstdio>

const int PianoModel::whiteIndexOfPitchClass[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};

namespace {
// White indices 2 (E) and 6 (B) have no black key above them.
bool hasBlackKeyAbove(int whiteIndex)
{
    return whiteIndex != 2 && whiteIndex != 6;
}
} // namespace

PianoModel::PianoModel(int keys, int octave, int pitchClass)
    : InstrumentModel(keys, octave, pitchClass)
{
    std::snprintf(name, sizeof name, "Piano (%d keys)", keyCount);
    whiteKeyCount = countWhiteKeys();
}

// Walks the range exactly as the keys are drawn: each white key, then the
// black key above it where there is one, octave after octave.
float PianoModel::countWhiteKeys() const
{
    int position = lowestNoteIndex();
    const int end = position + keyCount;
    int count = 0;
    for (int j = whiteIndexOfPitchClass[startPitchClass % 12];; j = 0) {
        for (; j <= 6; ++j) {
            ++count;
            if (++position >= end)
                return static_cast<float>(count);
            if (hasBlackKeyAbove(j) && ++position >= end)
                return static_cast<float>(count);
        }
    }
}
