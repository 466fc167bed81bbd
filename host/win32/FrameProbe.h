#pragma once
// Watches the frames a plug-in draws, for the latency benchmark: when each
// frame starts (its first glClear) and ends (its SwapBuffers has returned),
// and what colour one pixel of it has, read back from the finished frame just
// before the swap. It sees the plug-in's own calls by redirecting the DLL's
// imports, so the plug-in runs unchanged.
//
// User-interface thread, except beforeEvents (processing thread).
#include "host/win32/HostSession.h"

#include <windows.h>

#include <atomic>
#include <cstdint>

class FrameProbe : public BlockWatcher {
public:
    // Hooks the DLL's imports of glClear and SwapBuffers; false if it has none.
    // One probe per process.
    bool attach(HMODULE plugin);

    // The pixel to read from every frame, in GL window coordinates (rows from
    // the bottom), and the predicate its colour must meet for the frame to
    // count as showing what is awaited.
    void watchPixel(int x, int y) { pixelX = x, pixelY = y; }
    // Starts waiting for the first frame, ended after the next block is handed
    // to the plug-in, whose pixel is (or, with `shown` false, is not) lit.
    void await(bool shown);
    bool done() const { return finished; }
    // Milliseconds from the block to the end of the awaited frame, and the
    // duration of that frame.
    double latencyMs() const { return frameEnd - blockTime.load(std::memory_order_acquire); }
    double frameMs() const { return frameEnd - frameStart; }

    // Processing thread, right before the block is handed over.
    void beforeEvents() override;

    // Called by the hooks.
    void onClear();
    void onFrameFinished(bool lit);
    int watchedX() const { return pixelX; }
    int watchedY() const { return pixelY; }

private:
    int pixelX = 0;
    int pixelY = 0;
    bool waiting = false;
    bool awaitShown = true;
    bool finished = false;
    std::atomic<bool> armed{false};
    std::atomic<bool> blockSeen{false};
    std::atomic<double> blockTime{0.0};
    double clearTime = 0.0;
    double frameStart = 0.0;
    double frameEnd = 0.0;
};

// Milliseconds on the performance counter.
double probeClockMs();
