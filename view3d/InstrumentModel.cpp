#include "view3d/InstrumentModel.h"

#include "glut/gl.h"

InstrumentModel::InstrumentModel(int keyCount, int startOctave, int startPitchClass)
    : keyCount(keyCount)
    , startOctave(startOctave)
    , startPitchClass(startPitchClass)
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

void InstrumentModel::callStaticLists()
{
    if (displayList == 0)
        buildLists();
    glCallList(displayList);
}
