#pragma once
// A transverse flute with its key mechanism. It shows the fingering of the
// highest held note of its range, MIDI 60..98: which keys are closed for that
// note and which keys the mechanism moves with them.
//
// The tube, joint rings and lip plate are compiled once per GL context into
// the display list, which also turns the model a quarter turn so that the
// tube lies across the view; the rods and keys are drawn every frame in that
// turned frame.
#include "view3d/InstrumentModel.h"

class FluteModel : public InstrumentModel {
public:
    FluteModel(int keyCount, int startOctave, int startPitchClass);

    static constexpr const char* modelName = "Flute";

    void draw() override;
    void buildLists() override;

    // Takes the highest held note of the range from the note table and picks
    // its fingering. Runs once per frame, so notes that start and end between
    // two frames leave no trace.
    void followHeldNotes();

    int getFingeringVariant() const { return fingeringVariant; }
    int getCurrentNote() const { return currentNote; }

private:
    void drawKeys();

    int fingeringVariant = 0; // 0 standard, 1 the alternative fingering of currentNote
    int currentNote = 0; // 1..39 (MIDI 59 + n), 0 when none is held
};
