#include "host/latency/FrameProbe.h"

bool FrameProbe::looksHighlighted(const unsigned char rgba[4])
{
    return rgba[0] >= 0xE0 && rgba[1] <= 0xE0 && rgba[2] <= 0xE0;
}

void FrameProbe::await(bool shown)
{
    finished.store(false, std::memory_order_relaxed);
    // Only armed blocks are counted, so the count stands still until ours.
    awaitedBlock.store(blocks.load(std::memory_order_acquire) + 1, std::memory_order_relaxed);
    awaited.store(shown ? lit : dark, std::memory_order_release);
    armed.store(true, std::memory_order_release);
}

void FrameProbe::beforeEvents()
{
    if (armed.exchange(false, std::memory_order_acq_rel)) {
        blockTime.store(frameClockMs(), std::memory_order_relaxed);
        blocks.fetch_add(1, std::memory_order_release);
    }
}

void FrameProbe::onClear()
{
    // A frame may clear more than once (a part of the view at a time); it
    // starts at the first.
    if (!frameCleared) {
        blocksAtClear = blocks.load(std::memory_order_acquire);
        clearTime = frameClockMs();
    }
    frameCleared = true;
}

void FrameProbe::onFrameFinished(const unsigned char rgba[4])
{
    const double now = frameClockMs();
    const bool cleared = frameCleared;
    frameCleared = false;
    const int wanted = awaited.load(std::memory_order_acquire);
    if (wanted == nothing || looksHighlighted(rgba) != (wanted == lit))
        return;
    // A frame that started before the block cannot show it, whatever it reads.
    if (!cleared || blocksAtClear < awaitedBlock.load(std::memory_order_relaxed))
        return;
    frameStart = clearTime;
    frameEnd = now;
    awaited.store(nothing, std::memory_order_relaxed);
    finished.store(true, std::memory_order_release);
}
