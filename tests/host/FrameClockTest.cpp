// Where a render's video frames fall on the song's sample clock.
#include "host/render/FrameClock.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameClockTest, FramesCoverTheSpanWithoutAnExtraOne)
{
    EXPECT_EQ(FrameClock(30, 0.0, 2.0, 44100.0).frameCount(), 60);
    // 2.1 * 30 is 63.000000000000007 in doubles.
    EXPECT_EQ(FrameClock(30, 0.0, 2.1, 44100.0).frameCount(), 63);
    // A part of a frame still gets its frame.
    EXPECT_EQ(FrameClock(30, 0.0, 2.01, 44100.0).frameCount(), 61);
    EXPECT_EQ(FrameClock(24, 1.5, 3.5, 44100.0).frameCount(), 48);
    EXPECT_EQ(FrameClock(30, 5.0, 5.0, 44100.0).frameCount(), 1);
    EXPECT_EQ(FrameClock(30, 5.0, 1.0, 44100.0).frameCount(), 1);

    const FrameClock clock(25, 0.0, 10.0, 48000.0);
    EXPECT_DOUBLE_EQ(clock.videoSeconds(), 10.0);
    EXPECT_EQ(clock.framesPerSecond(), 25);
}

TEST(FrameClockTest, EachFrameShowsTheSampleAtItsTime)
{
    const FrameClock clock(30, 0.0, 60.0, 44100.0);
    EXPECT_EQ(clock.sampleOf(0), 0);
    EXPECT_EQ(clock.sampleOf(1), 1470);
    // Half a second: a beat at 120 bpm lands exactly on frame 15.
    EXPECT_EQ(clock.sampleOf(15), 22050);
    // 0.7667 s: 33810 samples, rounded to the nearest.
    EXPECT_EQ(clock.sampleOf(23), 33810);

    // Counted from the frame number, not added up: an hour at 30 fps ends exactly.
    const FrameClock hour(30, 0.0, 3600.0, 44100.0);
    EXPECT_EQ(hour.sampleOf(30 * 3600), 3600LL * 44100);

    const FrameClock later(30, 1.5, 3.0, 44100.0);
    EXPECT_EQ(later.sampleOf(0), 66150);
    EXPECT_EQ(later.sampleOf(30), 66150 + 44100);
}

TEST(FrameClockTest, NonsenseRatesFallBackToUsableOnes)
{
    const FrameClock clock(0, -2.0, 1.0, 0.0);
    EXPECT_EQ(clock.framesPerSecond(), 1);
    EXPECT_EQ(clock.frameCount(), 1);
    EXPECT_EQ(clock.sampleOf(1), 44100);
}

} // namespace
