#pragma once
// The host's own count of the practice score. The plug-in shows its score
// only as pixels on its panel, so for the demo's summary and the practice
// report the host keeps a copy of the plug-in's scoring state in its own
// process: it runs every block it hands to the plug-in through the plug-in's
// MIDI intake code (the same scoring tables) and mirrors the presses on the
// panel buttons that change scoring (reset, practice, rule). It is only as
// good as that mirror: presses on the panel the host does not see are missed.
//
// The events go through the intake one at a time, so that every scoring step
// can be told apart for the report (see ScoreOutcomes.h).
//
// The copy lives in the host's process-wide plug-in state; one referee per
// process. Blocks arrive on the processing thread, presses on the
// user-interface thread; the shared values are atomics, as in the plug-in,
// and the report's tally takes its own lock.
#include "framework/Vst2Abi.h"
#include "host/practice/PracticeReport.h"

class PracticeReferee {
public:
    PracticeReferee();

    // Before processing starts: the song's bars, for the report's lines.
    void layOutBars(int count) { tally.layOutBars(count); }

    // Processing thread: a block exactly as the plug-in received it, and the
    // song's bar of each of its events (null: all in bar 1).
    void onBlock(const VstEvents* events, const VstTimeInfo* time, const int* bars = nullptr);
    // User-interface thread: a press that reached the panel button with this tag.
    void onPanelPress(int tag);

    bool practiceMode() const;
    // The percentage the panel's read-out shows; false while nothing could be
    // earned yet (it then keeps its previous text).
    bool percentage(float& percent) const;
    // Any thread: everything the report says.
    PracticeSummary summary() const;

private:
    void score(const VstMidiEvent& event, int bar);

    PracticeTally tally;
};
