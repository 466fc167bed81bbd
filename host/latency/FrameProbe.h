#pragma once
// Watches the frames a plug-in draws, for the latency benchmark: when the
// first frame that shows the awaited key (lit or dark) ends, counted from
// the block that carried the note. The platform's hooks
// (host/engine/GlFrameHooks.h) report the frames.
//
// await, done and the figures: the thread that runs the benchmark;
// beforeEvents: the processing thread; onClear and onFrameFinished: the
// thread that draws the plug-in's view (on Linux a thread of the view's own).
#include "host/engine/GlFrameHooks.h"

#include <atomic>

class FrameProbe : public GlFrameObserver {
public:
    // The pixel to read from every frame, in GL window coordinates (rows
    // from the bottom). Set before the frames are hooked.
    void watchPixel(int x, int y) { pixelX = x, pixelY = y; }
    // Starts waiting for the first frame, ended after the next block is handed
    // to the plug-in, whose pixel is (or, with `shown` false, is not) lit.
    void await(bool shown);
    bool done() const { return finished.load(std::memory_order_acquire); }
    // Once done: milliseconds from the block to the end of the awaited frame,
    // and the duration of that frame.
    double latencyMs() const { return frameEnd - blockTime.load(std::memory_order_acquire); }
    double frameMs() const { return frameEnd - frameStart; }

    // Processing thread, right before the block is handed over.
    void beforeEvents();

    int watchedX() const override { return pixelX; }
    int watchedY() const override { return pixelY; }
    void onClear() override;
    void onFrameFinished(const unsigned char rgba[4]) override;

    // A highlighted key reads ffcccc (red lit by the white specular light);
    // the same key unlit reads white, the background dark blue.
    static bool looksHighlighted(const unsigned char rgba[4]);

private:
    enum Awaited { nothing, lit, dark };

    int pixelX = 0;
    int pixelY = 0;
    std::atomic<int> awaited{nothing};
    std::atomic<bool> finished{false};
    std::atomic<bool> armed{false};
    // Blocks handed over while armed, one per await: the awaited frame
    // started (cleared) after block number `awaitedBlock`. Counted, not timed,
    // so that two readings of the clock that compare equal decide nothing.
    std::atomic<unsigned> blocks{0};
    std::atomic<unsigned> awaitedBlock{0};
    std::atomic<double> blockTime{0.0};
    // The drawing thread's, published by `finished`.
    bool frameCleared = false;
    unsigned blocksAtClear = 0;
    double clearTime = 0.0;
    double frameStart = 0.0;
    double frameEnd = 0.0;
};
