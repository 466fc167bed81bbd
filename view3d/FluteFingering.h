#pragma once
// Which fingering the flute shows, and which of its keys that fingering
// closes. Pure table look-ups, independent of any GL context.
#include "view3d/FluteTables.h"

// The fingering to show when the highest held note changes from oldNote
// (shown with `shownVariant`) to newNote. When the note stays or none is held
// the variant stays too; a note without an alternative gets the standard
// fingering; otherwise the alternative is chosen only when it matches strictly
// more of rows 1..11 of what was shown than the standard fingering does (the
// two little-finger rows 12 and 13 do not count).
int chooseFingeringVariant(int shownVariant, int oldNote, int newNote);

struct FluteKeyState {
    bool own; // its own row is closed
    bool linked; // it has no row of its own and a linked row is closed
};

FluteKeyState fluteKeyState(const FluteKey& key, int variant, int note);
