#pragma once
// A piano keyboard of 37, 61, 76 or 88 keys. It shows, key by key, which notes
// are held (outside practice mode) or how each note stands in practice scoring.
//
// The case (keybed, back panel, end blocks) is compiled once per GL context
// into the display list; the keys are drawn anew every frame because they
// follow the note table.
#include "view3d/InstrumentModel.h"

class PianoModel : public InstrumentModel {
public:
    PianoModel(int keyCount, int startOctave, int startPitchClass);

    // The name a piano of `keyCount` keys goes by, without building one.
    static void formatName(int keyCount, char* name, int capacity);

    void draw() override;
    void buildLists() override;

    float getWhiteKeyCount() const { return whiteKeyCount; }

private:
    float countWhiteKeys() const;
    void drawKeys();

    float whiteKeyCount;
};
