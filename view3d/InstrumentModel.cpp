#include "view3d/InstrumentModel.h"

InstrumentModel::InstrumentModel(int keyCount, int startOctave, int startPitchClass)
    : keyCount(keyCount), startOctave(startOctave), startPitchClass(startPitchClass)
{
}

void InstrumentModel::configure(int keys, int octave, int pitchClass)
{
    keyCount = keys;
    startOctave = octave;
    startPitchClass = pitchClass;
}

void InstrumentModel::invalidateLists()
{
    displayList = 0;
}
