#pragma once
// The host's own count of the practice score. The plug-in shows its score
// only as pixels on its panel, so for the demo's summary the host keeps a
// copy of the plug-in's scoring state in its own process: it runs every block
// it hands to the plug-in through the plug-in's MIDI intake code (the same
// scoring tables) and mirrors the presses on the panel buttons that change
// scoring (reset, practice, rule). It is only as good as that mirror: presses
// made by hand on the panel are not seen.
//
// The copy lives in the host's process-wide plug-in state; one referee per
// process. Blocks arrive on the processing thread, presses on the
// user-interface thread; the shared values are atomics, as in the plug-in.
#include "framework/Vst2Abi.h"

class PracticeReferee {
public:
    PracticeReferee();

    // Processing thread: a block exactly as the plug-in received it.
    void onBlock(const VstEvents* events, const VstTimeInfo* time);
    // User-interface thread: a press that reached the panel button with this tag.
    void onPanelPress(int tag);

    bool practiceMode() const;
    // The percentage the panel's read-out shows; false while nothing could be
    // earned yet (it then keeps its previous text).
    bool percentage(float& percent) const;
};
