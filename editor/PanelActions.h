#pragma once
// What each panel button does to the view and the practice scoring. The
// buttons' own pictures flip on every press; the actions never look at them
// and always act on the program's own state, so a toggle button's picture and
// its feature can disagree after the editor was reopened.
#include <cstdint>

// Runs the action of `tag` (any other tag does nothing), then asks the open
// view for a redraw. User-interface thread.
void applyPanelAction(int32_t tag);
