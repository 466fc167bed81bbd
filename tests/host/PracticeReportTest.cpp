// The practice report: what the referee counts from the plug-in's own scoring
// steps, per bar and in total, and how the report reads as text and JSON.
#include "host/practice/PracticeReferee.h"
#include "host/practice/PracticeReport.h"
#include "tests/support/MidiBlock.h"

#include <gtest/gtest.h>

namespace {

constexpr int practiceTag = 139;
constexpr int ruleTag = 140;

// Feeds one block whose events all fall in `bar`.
void play(PracticeReferee& referee, MidiBlock& block, int bar)
{
    VstEvents* events = block.events();
    const std::vector<int> bars(static_cast<size_t>(events->numEvents), bar);
    referee.onBlock(events, nullptr, bars.data());
}

TEST(PracticeReportTest, PressesAreCountedInTheBarWhereTheyHappen)
{
    PracticeReferee referee;
    referee.layOutBars(3);
    referee.onPanelPress(practiceTag);

    MidiBlock first;
    first.noteOn(0, 60, 100).noteOn(15, 60, 90); // hit
    first.noteOn(0, 62, 100).noteOff(0, 62); // missed
    first.noteOn(15, 70, 90); // wrong
    play(referee, first, 1);
    MidiBlock second;
    second.noteOn(15, 62, 90); // the missed note played late: a hit after all
    second.noteOn(15, 65, 90).noteOn(1, 65, 100); // pressed just before it was expected
    play(referee, second, 2);

    const PracticeSummary summary = referee.summary();
    EXPECT_TRUE(summary.practiceMode);
    EXPECT_FALSE(summary.releasesJudged);
    EXPECT_EQ(summary.total.expected, 3);
    EXPECT_EQ(summary.total.hit, 3);
    EXPECT_EQ(summary.total.missed, 0);
    EXPECT_EQ(summary.total.wrong, 1);
    // The plug-in's own points: +2, -4, -4 in bar 1; +2, -4, +2 in bar 2.
    EXPECT_EQ(summary.score, -6);
    EXPECT_EQ(summary.maximum, 6);
    EXPECT_EQ(summary.total.points, summary.score);
    ASSERT_EQ(summary.bars.size(), 3u);
    EXPECT_EQ(summary.bars[0].expected, 2);
    EXPECT_EQ(summary.bars[0].missed, 0); // taken back in bar 2
    EXPECT_EQ(summary.bars[0].wrong, 1);
    EXPECT_EQ(summary.bars[1].hit, 2);
    EXPECT_EQ(summary.bars[1].wrong, 0);
    EXPECT_EQ(summary.bars[1].points, 0);
    EXPECT_EQ(summary.bars[2].expected, 0);
    ASSERT_TRUE(summary.hasPercentage);
    EXPECT_EQ(percentageText(summary.percentage), "-100.00");
}

TEST(PracticeReportTest, ReleasesCountUnderTheRuleThatJudgesThem)
{
    PracticeReferee referee;
    referee.onPanelPress(practiceTag);
    referee.onPanelPress(ruleTag);
    MidiBlock block;
    block.noteOn(0, 60, 100).noteOn(15, 60, 90).noteOff(15, 60).noteOff(0, 60); // let go early
    block.noteOn(0, 62, 100).noteOn(15, 62, 90).noteOff(0, 62); // still held ...
    block.noteOn(0, 62, 100); // ... when the note is expected again
    block.noteOn(0, 64, 100).noteOn(15, 64, 90).noteOff(0, 64).noteOff(15, 64); // clean
    play(referee, block, 1);

    const PracticeSummary summary = referee.summary();
    EXPECT_TRUE(summary.releasesJudged);
    EXPECT_EQ(summary.total.expected, 4);
    EXPECT_EQ(summary.total.hit, 3);
    EXPECT_EQ(summary.total.earlyReleases, 1);
    EXPECT_EQ(summary.total.lateReleases, 1);

    // Practice off and on again starts the report again, as the plug-in starts its score.
    referee.onPanelPress(practiceTag);
    referee.onPanelPress(practiceTag);
    EXPECT_EQ(referee.summary().total.expected, 0);
}

TEST(PracticeReportTest, TheReportReadsAsTextAndJson)
{
    PracticeSummary summary;
    summary.practiceMode = true;
    summary.hasPercentage = true;
    summary.percentage = 200.0f / 3.0f;
    summary.score = 4;
    summary.maximum = 6;
    summary.bars.resize(2);
    summary.bars[0] = PracticeCounts{3, 2, 1, 0, 0, 0, 4, 6};
    summary.total = summary.bars[0];
    PracticeRun run;
    run.song = "demo \"song\".mid";
    run.tempoPercent = 50;
    run.waitForPlayer = true;
    run.loopFirstBar = 1;
    run.loopLastBar = 2;
    run.expectedChannels = 1u;
    run.playAs = 16;

    const std::string text = practiceReportText(summary, run);
    EXPECT_NE(text.find("tempo 50 %, bars 1-2 looped, expecting channels 1, keyboard as channel 16, waiting"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("score: 66.67 % (4 of 6 points), rule: presses only"), std::string::npos) << text;
    EXPECT_NE(text.find("notes expected 3, hit 2, missed 1, wrong 0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("      1        3     2      1     0    66.67 %\n"), std::string::npos) << text;
    EXPECT_NE(text.find("      2        0     0      0     0        -\n"), std::string::npos) << text;

    const std::string json = practiceReportJson(summary, run);
    for (const char* field : {"\"song\": \"demo \\\"song\\\".mid\"", "\"percentage\": 66.67", "\"loopBars\": [1, 2]",
             "\"expectedChannels\": [1]", "\"earlyReleases\": null", "{\"bar\": 2, \"expected\": 0",
             "\"percentage\": null}"}) {
        EXPECT_NE(json.find(field), std::string::npos) << field << "\n" << json;
    }

    summary.practiceMode = false;
    summary.total = PracticeCounts{};
    EXPECT_NE(practiceReportText(summary, run).find("practice mode was off"), std::string::npos);
}

} // namespace
