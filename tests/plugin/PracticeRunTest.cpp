// Practice totals belong to one practice run. A block is received on a thread
// of its own, as on a host's processing thread, and held between scoring its
// events and publishing its tally while the user switches practice mode, the
// rule or resets the view: the switch must win, whatever the block scored.
#include "formats/vst2/VstEventBlock.h"
#include "state/PracticeState.h"
#include "tests/support/MidiBlock.h"
#include "tests/support/PluginStateReset.h"
#include "view3d/ViewState.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace {

std::atomic<bool> blockHeld{false};
std::atomic<bool> blockReleased{false};

void holdBlock()
{
    blockHeld = true;
    while (!blockReleased)
        std::this_thread::yield();
}

// Receives `block` on another thread and runs `change` while that block is
// held between scoring and publishing.
void landWhileInFlight(MidiBlock& block, const std::function<void()>& change)
{
    blockHeld = false;
    blockReleased = false;
    midiBlockScoredHook = holdBlock;
    VstEvents* events = block.events();
    std::thread processing([events] { receiveMidiBlock(events, nullptr); });
    while (!blockHeld)
        std::this_thread::yield();
    change();
    blockReleased = true;
    processing.join();
    midiBlockScoredHook = nullptr;
}

void receive(MidiBlock& block)
{
    receiveMidiBlock(block.events(), nullptr);
}

// Rule 0: an expected note 60 that the player answers with 62 instead: -4
// points of a maximum of 2.
MidiBlock wrongAnswer()
{
    MidiBlock block;
    block.noteOn(0, 60, 100).noteOn(15, 62, 90);
    return block;
}

// Rule 0: an expected note 64 played: 2 of 2.
MidiBlock rightAnswer()
{
    MidiBlock block;
    block.noteOn(0, 64, 100).noteOn(15, 64, 90);
    return block;
}

class PracticeRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetPluginState();
        togglePracticeMode(); // on, from zero
    }
    void TearDown() override { resetPluginState(); }

    static int score() { return practice.practiceScore.load(); }
    static int maximum() { return practice.practiceMaximum.load(); }
};

TEST_F(PracticeRunTest, PracticeSwitchedOffAndOnWhileABlockIsScoredShowsOnlyTheNewRun)
{
    MidiBlock old = wrongAnswer();
    landWhileInFlight(old, [] {
        togglePracticeMode();
        togglePracticeMode();
    });
    EXPECT_EQ(score(), 0);
    EXPECT_EQ(maximum(), 0);
    float percent = -1.0f;
    EXPECT_FALSE(practicePercentage(percent)); // the read-out is left alone

    MidiBlock next = rightAnswer();
    receive(next);
    EXPECT_EQ(score(), 2);
    EXPECT_EQ(maximum(), 2);
    ASSERT_TRUE(practicePercentage(percent));
    EXPECT_FLOAT_EQ(percent, 100.0f);
}

TEST_F(PracticeRunTest, PracticeSwitchedOffWhileABlockIsScoredLeavesNothingCounted)
{
    MidiBlock old = wrongAnswer();
    landWhileInFlight(old, togglePracticeMode);
    EXPECT_FALSE(practice.practiceMode.load());
    EXPECT_EQ(score(), 0);
    EXPECT_EQ(maximum(), 0);
}

// The rule and the view reset keep the totals of the runs before them, but a
// block scored across the change adds nothing to them.
TEST_F(PracticeRunTest, ARuleSwitchOrAResetWhileABlockIsScoredDropsThatBlock)
{
    const std::function<void()> changes[] = {nextScoringRule, resetView};
    for (const std::function<void()>& change : changes) {
        MidiBlock first = rightAnswer();
        receive(first);
        const int scoreBefore = score();
        const int maximumBefore = maximum();
        MidiBlock old = wrongAnswer();
        landWhileInFlight(old, change);
        EXPECT_EQ(score(), scoreBefore);
        EXPECT_EQ(maximum(), maximumBefore);
        practice.scoringRule = 0;
    }
}

TEST_F(PracticeRunTest, ABlockScoredWithinOneRunCountsWhole)
{
    MidiBlock block = wrongAnswer();
    landWhileInFlight(block, [] {});
    EXPECT_EQ(score(), -4);
    EXPECT_EQ(maximum(), 2);
}

} // namespace
