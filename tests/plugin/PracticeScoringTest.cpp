// Practice scoring, played as sequences of notes the way a pupil would.
#include "state/NoteTable.h"
#include "state/PracticeState.h"
#include "tests/support/PluginStateReset.h"

#include <gtest/gtest.h>

namespace {

class PracticeScoringTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetPluginState();
        practice.practiceMode = true;
    }
    // One event on the note, scored as MIDI intake does.
    void play(ScoreEventKind kind) { practice.practiceScore += scoreStep(entry(), kind); }
    NoteEntry& entry() { return noteTable.entries[48]; }
    int score() const { return practice.practiceScore.load(); }
    int maximum() const { return practice.practiceMaximum.load(); }
    int state() { return entry().scoreState.load(); }
};

TEST_F(PracticeScoringTest, PressesOnlyAnExpectedNotePlayedEarnsFullMarks)
{
    play(OtherNoteOn);
    EXPECT_EQ(maximum(), 2);
    EXPECT_EQ(state(), 1);
    play(ReferenceNoteOn);
    EXPECT_EQ(score(), 2);
    EXPECT_EQ(state(), 0);
    float percent = 0;
    ASSERT_TRUE(practicePercentage(percent));
    EXPECT_FLOAT_EQ(percent, 100.0f);
}

TEST_F(PracticeScoringTest, PressesOnlyAMissedNoteCostsAndALatePressEarnsBack)
{
    play(OtherNoteOn);
    play(OtherNoteOff);
    EXPECT_EQ(score(), -4);
    EXPECT_EQ(state(), 3);
    play(ReferenceNoteOn);
    EXPECT_EQ(score(), -2);
    EXPECT_EQ(state(), 0);
}

TEST_F(PracticeScoringTest, PressesOnlyAnUnexpectedNoteCostsAndItsReleaseEarnsOne)
{
    play(ReferenceNoteOn);
    EXPECT_EQ(score(), -4);
    EXPECT_EQ(state(), 2);
    EXPECT_EQ(maximum(), 0);
    play(ReferenceNoteOff);
    EXPECT_EQ(score(), -3);
    EXPECT_EQ(state(), 0);
}

TEST_F(PracticeScoringTest, PressesAndReleasesAWellPlayedNoteEarnsFourOfFour)
{
    practice.scoringRule = 1;
    play(OtherNoteOn);
    play(ReferenceNoteOn);
    EXPECT_EQ(state(), 4);
    play(OtherNoteOff);
    EXPECT_EQ(state(), 5);
    EXPECT_EQ(score(), 2);
    play(ReferenceNoteOff);
    EXPECT_EQ(state(), 0);
    EXPECT_EQ(score(), 4);
    EXPECT_EQ(maximum(), 4);
}

TEST_F(PracticeScoringTest, PressesAndReleasesAnEarlyReleaseCostsAndTheExpectedReleaseEarns)
{
    practice.scoringRule = 1;
    play(OtherNoteOn);
    play(ReferenceNoteOn);
    play(ReferenceNoteOff);
    EXPECT_EQ(score(), -2);
    EXPECT_EQ(state(), 6);
    play(OtherNoteOff);
    EXPECT_EQ(score(), 0);
    EXPECT_EQ(state(), 0);
}

TEST_F(PracticeScoringTest, ThePercentageIsNotShownBeforeAnythingWasExpected)
{
    float percent = 42.0f;
    EXPECT_FALSE(practicePercentage(percent));
    EXPECT_EQ(percent, 42.0f);

    practice.practiceScore = 2;
    practice.practiceMaximum = 3;
    ASSERT_TRUE(practicePercentage(percent));
    EXPECT_NEAR(percent, 66.6667f, 1e-3);

    practice.practiceScore = -3;
    ASSERT_TRUE(practicePercentage(percent));
    EXPECT_LT(percent, 0.0f);
}

TEST_F(PracticeScoringTest, ChangingTheRuleKeepsScoreMaximumAndStates)
{
    play(OtherNoteOn);
    practice.practiceScore = 7;
    nextScoringRule();
    EXPECT_EQ(practice.scoringRule.load(), 1);
    EXPECT_EQ(score(), 7);
    EXPECT_EQ(maximum(), 2);
    EXPECT_EQ(state(), 1);
    nextScoringRule();
    EXPECT_EQ(practice.scoringRule.load(), 0);
}

TEST_F(PracticeScoringTest, SwitchingPracticeStartsFromZeroEachTime)
{
    play(OtherNoteOn);
    noteTable.entries[10].velocity = 50;
    practice.practiceScore = 5;

    togglePracticeMode();
    EXPECT_FALSE(practice.practiceMode.load());
    EXPECT_EQ(score(), 0);
    EXPECT_EQ(maximum(), 0);
    EXPECT_EQ(state(), 0);
    EXPECT_EQ(noteTable.entries[10].velocity.load(), 0);

    practice.practiceScore = 5;
    togglePracticeMode();
    EXPECT_TRUE(practice.practiceMode.load());
    EXPECT_EQ(score(), 0);
}

TEST_F(PracticeScoringTest, AStateThatNoTableProducesCountsAsNothingPending)
{
    entry().scoreState = 99;
    play(OtherNoteOn);
    EXPECT_EQ(state(), 1);
    EXPECT_EQ(score(), 0);
}

} // namespace
