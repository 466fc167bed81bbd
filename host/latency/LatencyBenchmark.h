#pragma once
// QarnHost --latency: how long a note takes to reach the screen. For host
// idle rates of 15, 30 and 60 Hz, 200 notes each: the time from handing the
// block with the note-on to the plug-in to the end of the first frame that
// shows the key lit (read back from the frame and checked), as the median and
// the 99th percentile, with the median duration of those frames.
//
// Drives the 88-key piano with the highlight switched on by its panel button;
// note 60's white key is watched. Prints one line per idle rate.
#include "host/driver/PanelPresses.h"
#include "host/engine/HostSession.h"
#include "host/latency/FrameProbe.h"

class LatencyBenchmark : public SessionListener {
public:
    // Listens to `session` from its start, which must come after this.
    LatencyBenchmark(HostSession& session, PanelPresses& panel);

    // Exit status: 0, or 1 when the plug-in's frames cannot be watched or a
    // note never showed.
    int run();

    // Processing thread: the probe's clock starts when the block with the
    // note is handed over.
    void onBlock(const VstEvents& events, const VstTimeInfo& time, const int* eventBars) override;

private:
    HostSession& session;
    PanelPresses& panel;
    FrameProbe probe;
};
