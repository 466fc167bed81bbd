// Which frame the latency benchmark takes as the first to show a note: one
// that started after the block with the note was handed over, and whose
// watched pixel shows the key as awaited.
#include "host/latency/FrameProbe.h"

#include <gtest/gtest.h>

namespace {

const unsigned char highlighted[4] = {0xFF, 0xCC, 0xCC, 0xFF};
const unsigned char whiteKey[4] = {0xFF, 0xFF, 0xFF, 0xFF};

void drawFrame(FrameProbe& probe, const unsigned char rgba[4])
{
    probe.onClear();
    probe.onFrameFinished(rgba);
}

TEST(FrameProbeTest, TheAwaitedFrameStartsAfterTheBlockAndShowsTheKeyAsAwaited)
{
    FrameProbe probe;
    probe.await(true);
    // Before the block: even a lit frame cannot be the note's.
    drawFrame(probe, highlighted);
    EXPECT_FALSE(probe.done());

    // A frame begun before the block and finished after it does not count.
    probe.onClear();
    probe.beforeEvents();
    probe.onFrameFinished(highlighted);
    EXPECT_FALSE(probe.done());

    drawFrame(probe, whiteKey);
    EXPECT_FALSE(probe.done());
    drawFrame(probe, highlighted);
    ASSERT_TRUE(probe.done());
    EXPECT_GE(probe.latencyMs(), probe.frameMs());
    EXPECT_GE(probe.frameMs(), 0.0);

    // The release: an unlit frame after the next block.
    probe.await(false);
    EXPECT_FALSE(probe.done());
    probe.beforeEvents();
    drawFrame(probe, highlighted);
    EXPECT_FALSE(probe.done());
    drawFrame(probe, whiteKey);
    EXPECT_TRUE(probe.done());
}

TEST(FrameProbeTest, OnlyTheBlockAfterAwaitStartsTheClock)
{
    FrameProbe probe;
    // Blocks before the wait are not the note's.
    probe.beforeEvents();
    probe.await(true);
    drawFrame(probe, highlighted);
    EXPECT_FALSE(probe.done());
    // A frame without a clear of its own did not start after the block.
    probe.beforeEvents();
    probe.onFrameFinished(highlighted);
    EXPECT_FALSE(probe.done());
    drawFrame(probe, highlighted);
    EXPECT_TRUE(probe.done());
    // Later frames leave the figures of the awaited one.
    const double latency = probe.latencyMs();
    drawFrame(probe, highlighted);
    EXPECT_EQ(probe.latencyMs(), latency);
}

} // namespace
