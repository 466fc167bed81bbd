#pragma once
// How a key shows what is played: its colour and whether it is drawn moved.
// Decided from the note table, the practice mode and the display toggles
// alone, so the rules hold without any GL context.
#include "view3d/Palette.h"
#include "view3d/ViewState.h"

struct KeyLook {
    KeyColour colour;
    bool moved; // piano: sunk into the keybed; flute: turned about its rod
};

// A piano key. In practice mode the key's scoring state alone decides;
// otherwise a sounding note (any velocity above 0) shows as the colour and
// motion toggles say.
KeyLook pianoKeyLook(int velocity, int scoreState, bool practiceMode, const ViewState& view);

// A flute key, given whether its own fingering row is closed (own) or, having
// no row of its own, a linked row moves it (linked). Practice mode plays no part.
KeyLook fluteKeyLook(bool own, bool linked, const ViewState& view);
