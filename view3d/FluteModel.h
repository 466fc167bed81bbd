#pragma once
// A transverse flute with its key mechanism. It shows the fingering of the
// highest held note of its range, MIDI 60..98: which keys are closed for that
// note and which keys the mechanism moves with them.
#include "view3d/InstrumentModel.h"

class FluteModel : public InstrumentModel {
public:
    FluteModel(int keyCount, int startOctave, int startPitchClass);

    int getFingeringVariant() const { return fingeringVariant; }
    int getCurrentNote() const { return currentNote; }

private:
    int fingeringVariant = 0; // 0 standard, 1 the alternative fingering of currentNote
    int currentNote = 0;      // 1..39 (MIDI 59 + n), 0 when none is held
};
