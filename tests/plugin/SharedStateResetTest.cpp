// The shared state back as loaded, whatever a test, a practice run or our
// host's referee left in it.
#include "state/NoteTable.h"
#include "state/PracticeState.h"
#include "state/SharedStateReset.h"

#include <gtest/gtest.h>

namespace {

TEST(SharedStateReset, SilencesEveryNoteAndSwitchesPracticeOffAtZero)
{
    noteTable.entries[0].velocity = 90;
    noteTable.entries[48].scoreState = 6;
    noteTable.entries[noteTableSize - 1].velocity = 1;
    practice.practiceMode = true;
    practice.scoringRule = 1;
    practice.practiceScore = -7;
    practice.practiceMaximum = 12;

    resetSharedState();

    for (const NoteEntry& entry : noteTable.entries) {
        EXPECT_EQ(entry.velocity.load(), 0);
        EXPECT_EQ(entry.scoreState.load(), 0);
    }
    EXPECT_FALSE(practice.practiceMode.load());
    EXPECT_EQ(practice.scoringRule.load(), 0);
    EXPECT_EQ(practice.practiceScore.load(), 0);
    EXPECT_EQ(practice.practiceMaximum.load(), 0);
    float percent = -1.0f;
    EXPECT_FALSE(practicePercentage(percent));
}

// A block scored before the reset and published after it belongs to no run;
// the next block counts.
TEST(SharedStateReset, DropsWhatABlockScoredBeforeIt)
{
    resetSharedState();
    practice.practiceMode = true;
    ScoreTally before;
    scoreStep(noteTable.entries[48], OtherNoteOn, before);
    resetSharedState();
    publishScore(before);
    EXPECT_EQ(practice.practiceScore.load(), 0);
    EXPECT_EQ(practice.practiceMaximum.load(), 0);

    ScoreTally after;
    scoreStep(noteTable.entries[48], OtherNoteOn, after);
    publishScore(after);
    EXPECT_EQ(practice.practiceMaximum.load(), 2);
    resetSharedState();
}

} // namespace
