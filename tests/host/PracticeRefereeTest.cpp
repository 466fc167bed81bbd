// The host's own practice count follows the blocks it sends and the panel
// presses it makes, as the plug-in's read-out would.
#include "host/practice/PracticeReferee.h"
#include "tests/support/MidiBlock.h"

#include <gtest/gtest.h>

namespace {

constexpr int practiceTag = 139;
constexpr int ruleTag = 140;

float percentOf(const PracticeReferee& referee)
{
    float percent = -1.0f;
    EXPECT_TRUE(referee.percentage(percent));
    return percent;
}

TEST(PracticeRefereeTest, CountsOnlyWhilePracticeIsOn)
{
    PracticeReferee referee;
    MidiBlock ignored;
    ignored.noteOn(0, 60, 100).noteOn(15, 60, 100);
    referee.onBlock(ignored.events(), nullptr);
    float percent = 0.0f;
    EXPECT_FALSE(referee.percentage(percent));

    referee.onPanelPress(practiceTag);
    EXPECT_TRUE(referee.practiceMode());
    MidiBlock played;
    played.noteOn(0, 62, 100).noteOn(15, 62, 90).noteOff(0, 62).noteOff(15, 62);
    played.noteOn(1, 64, 100).noteOff(1, 64); // missed: -4
    referee.onBlock(played.events(), nullptr);
    EXPECT_FLOAT_EQ(percentOf(referee), -50.0f);

    referee.onPanelPress(practiceTag);
    EXPECT_FALSE(referee.practiceMode());
    EXPECT_FALSE(referee.percentage(percent));
}

TEST(PracticeRefereeTest, FollowsTheRuleButtonAndTransportChanges)
{
    PracticeReferee referee;
    referee.onPanelPress(practiceTag);
    referee.onPanelPress(ruleTag); // presses and releases
    MidiBlock expected;
    expected.noteOn(0, 60, 100);
    referee.onBlock(expected.events(), nullptr);

    // A transport change forgets the expected note but keeps the totals.
    VstTimeInfo jump{};
    jump.flags = kVstTransportChanged;
    MidiBlock late;
    late.noteOn(15, 60, 100);
    referee.onBlock(late.events(), &jump);
    EXPECT_FLOAT_EQ(percentOf(referee), -200.0f); // -4 of 2

    referee.onPanelPress(130); // a view button changes no score
    EXPECT_FLOAT_EQ(percentOf(referee), -200.0f);
}

TEST(PracticeRefereeTest, EachRefereeStartsFromTheLoadedState)
{
    {
        PracticeReferee earlier;
        earlier.onPanelPress(practiceTag);
        earlier.onPanelPress(ruleTag);
        MidiBlock expected;
        expected.noteOn(0, 60, 100);
        earlier.onBlock(expected.events(), nullptr);
    }
    PracticeReferee referee;
    const PracticeSummary fresh = referee.summary();
    EXPECT_FALSE(fresh.practiceMode);
    EXPECT_EQ(fresh.rule, 0);
    EXPECT_EQ(fresh.score, 0);
    EXPECT_EQ(fresh.maximum, 0);
    EXPECT_FALSE(fresh.hasPercentage);
}

} // namespace
