// A host that says where its transport stands, block by block: steady
// playback is no move; starting, stopping, jumping and looping are.
#include "core/TransportWatch.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr uint32_t block = 512;

TransportPosition playingAt(int64_t sample)
{
    return {true, true, sample};
}

TransportPosition stoppedAt(int64_t sample)
{
    return {false, true, sample};
}

TEST(TransportWatchTest, SteadyPlaybackIsNoMoveButStartsStopsAndJumpsAre)
{
    TransportWatch watch;
    EXPECT_FALSE(watch.moved(playingAt(44100), block)) << "the first block only starts the watch";
    EXPECT_FALSE(watch.moved(playingAt(44100 + block), block));
    EXPECT_FALSE(watch.moved(playingAt(44100 + 2 * block + 1), 256)) << "a host counting in seconds rounds";
    EXPECT_FALSE(watch.moved(playingAt(44100 + 2 * block + 256), block));
    EXPECT_TRUE(watch.moved(playingAt(0), block)) << "a loop turning back";
    EXPECT_TRUE(watch.moved(playingAt(10 * 44100), block)) << "a jump ahead";
    EXPECT_TRUE(watch.moved(stoppedAt(10 * 44100 + block), block)) << "a stop";
    EXPECT_FALSE(watch.moved(stoppedAt(10 * 44100 + block), block)) << "standing still";
    EXPECT_TRUE(watch.moved(stoppedAt(0), block)) << "moved while stopped";
    EXPECT_TRUE(watch.moved(playingAt(0), block)) << "a start";
}

TEST(TransportWatchTest, WithoutATimelineOnlyStartsAndStopsCount)
{
    TransportWatch watch;
    const TransportPosition playing{true, false, 0};
    const TransportPosition stopped{false, false, 0};
    watch.moved(playing, block);
    EXPECT_FALSE(watch.moved(playing, block));
    EXPECT_FALSE(watch.moved(playingAt(999999), block)) << "nothing to compare the position with";
    EXPECT_TRUE(watch.moved(stopped, block));
    EXPECT_TRUE(watch.moved(playing, block));
}

TEST(TransportWatchTest, PositionsAtTheEndsOfTheRangeAreJumpsNotOverflows)
{
    TransportWatch watch;
    watch.moved(playingAt(INT64_MAX - 10), block);
    EXPECT_TRUE(watch.moved(playingAt(0), block));
    EXPECT_TRUE(watch.moved(playingAt(INT64_MIN), block));
    EXPECT_FALSE(watch.moved(playingAt(INT64_MIN + block), block));
}

TEST(TransportWatchTest, AfterForgettingTheNextBlockStartsTheWatchAgain)
{
    TransportWatch watch;
    watch.moved(playingAt(0), block);
    watch.forget();
    EXPECT_FALSE(watch.moved(stoppedAt(123456), block));
    EXPECT_FALSE(watch.moved(stoppedAt(123456), 0)) << "an empty block";
    EXPECT_TRUE(watch.moved(stoppedAt(123458), block)) << "after an empty block, more than a sample is a jump";
}

} // namespace
