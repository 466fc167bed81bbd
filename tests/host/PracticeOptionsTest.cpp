// The practice run's command-line options and script steps: what they read,
// what they refuse, and that the help lists every option.
#include "host/app/HostOptions.h"
#include "host/driver/HostScript.h"

#include <gtest/gtest.h>

namespace {

TEST(PracticeOptionsTest, EveryOptionIsReadFromTheCommandLine)
{
    HostOptions options;
    std::string error;
    ASSERT_TRUE(parseHostOptions({"p.dll", "song.mid", "--play-as", "3", "--expect=1,2,16", "--midi-out", "0",
                                     "--tempo", "50", "--loop-bars", "2-4", "--wait", "--report", "r.json"},
        options, error))
        << error;
    EXPECT_EQ(options.practice.playAs, 3);
    EXPECT_EQ(options.practice.expectedChannels, 1u | 2u | 1u << 15);
    EXPECT_EQ(options.midiOutput, "0");
    EXPECT_EQ(options.practice.tempoPercent, 50);
    EXPECT_EQ(options.practice.loopFirstBar, 2);
    EXPECT_EQ(options.practice.loopLastBar, 4);
    EXPECT_TRUE(options.practice.waitForPlayer);
    EXPECT_EQ(options.reportPath, "r.json");

    ASSERT_TRUE(parseHostOptions({"p.dll", "--loop-bars", "3", "--expect", "all"}, options, error));
    EXPECT_EQ(options.practice.loopFirstBar, 3);
    EXPECT_EQ(options.practice.loopLastBar, 3);
    EXPECT_EQ(options.practice.expectedChannels, allChannels);
    EXPECT_EQ(options.practice.tempoPercent, 100);
    EXPECT_EQ(options.midiOutput, "");

    ASSERT_TRUE(parseHostOptions({"--list-midi-out"}, options, error));
    EXPECT_TRUE(options.listMidiOutputs);
}

TEST(PracticeOptionsTest, ProblemsAreNamed)
{
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"p.dll", "--play-as", "17"}, "--play-as needs a channel from 1 to 16, not \"17\""},
        {{"p.dll", "--play-as"}, "--play-as needs a value"},
        {{"p.dll", "--expect", "1,,2"}, "channels are 1 to 16"},
        {{"p.dll", "--expect", "0"}, "channels are 1 to 16"},
        {{"p.dll", "--tempo", "24"}, "from 25 to 200, not \"24\""},
        {{"p.dll", "--tempo", "201"}, "from 25 to 200"},
        {{"p.dll", "--loop-bars", "4-2"}, "A not after B; not \"4-2\""},
        {{"p.dll", "--loop-bars", "0-2"}, "counted from 1"},
        {{"p.dll", "--loop-bars", "2-"}, "bars are given as A-B"},
        {{"p.dll", "--wait=yes"}, "--wait takes no value"},
        {{"p.dll", "--midi-out="}, "--midi-out needs a port's number or name (see --list-midi-out)"},
        {{"p.dll", "--report"}, "--report needs a value"},
    };
    for (const auto& bad : cases) {
        HostOptions options;
        std::string error;
        EXPECT_FALSE(parseHostOptions(bad.args, options, error));
        EXPECT_NE(error.find(bad.message), std::string::npos) << error;
    }
}

TEST(PracticeOptionsTest, TheHelpListsEveryOption)
{
    const std::string usage = hostUsage();
    for (const char* option : {"--loop ", "--program", "--midi-in", "--list-midi-in", "--script", "--play-as",
             "--expect", "--midi-out", "--list-midi-out", "--tempo", "--loop-bars", "--wait", "--report"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

TEST(PracticeOptionsTest, EveryOptionHasItsScriptStep)
{
    std::vector<ScriptStep> steps;
    std::string error;
    ASSERT_TRUE(parseHostScript("play-as 16\nplay-as off\nexpect-channels 2,3\ntempo 25\nloop-bars 1-2\n"
                                "loop-bars off\nwait-mode on\nmidi-out JACK: keys:out\nmidi-out off\nlist-midi-out\n"
                                "report\nreport Z:/tmp/a report.json\nkeyboard-on 1 60 90\nkeyboard-off 2 60\n"
                                "answer-waits\nexpect awaited none\nexpect song-bar 1\nprint report hit\n",
        steps, error))
        << error;
    ASSERT_EQ(steps.size(), 18u);
    EXPECT_EQ(steps[0].kind, StepKind::PlayAs);
    EXPECT_EQ(steps[0].numbers[0], 16);
    EXPECT_EQ(steps[1].numbers[0], 0);
    EXPECT_EQ(steps[2].numbers[0], 2 | 4);
    EXPECT_EQ(steps[3].numbers[0], 25);
    EXPECT_EQ(steps[4].numbers[1], 2);
    EXPECT_EQ(steps[5].numbers[0], 0);
    EXPECT_EQ(steps[6].numbers[0], 1);
    EXPECT_EQ(steps[7].path, "JACK: keys:out");
    EXPECT_EQ(steps[8].path, "");
    EXPECT_EQ(steps[9].kind, StepKind::ListMidiOut);
    EXPECT_TRUE(steps[10].path.empty());
    EXPECT_EQ(steps[11].path, "Z:/tmp/a report.json");
    EXPECT_EQ(steps[12].kind, StepKind::KeyboardOn);
    EXPECT_EQ(steps[12].numbers[2], 90);
    EXPECT_EQ(steps[13].numbers[0], 1); // channel 2, counted from 0
    EXPECT_EQ(steps[14].kind, StepKind::AnswerWaits);

    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"play-as 0\n", "line 1: play-as needs a channel from 1 to 16 or off"},
        {"tempo\n", "tempo takes 1 argument"},
        {"tempo 300\n", "from 25 to 200"},
        {"loop-bars 3-1\n", "A not after B"},
        {"wait-mode maybe\n", "wait-mode is on or off"},
        {"midi-out\n", "midi-out takes 1 argument"},
        {"answer-waits now\n", "answer-waits takes no argument"},
        {"keyboard-on 1 60\n", "keyboard-on takes 3 argument(s)"},
        {"expect-channels 1 2\n", "takes 1 argument"},
    };
    for (const auto& bad : cases) {
        EXPECT_FALSE(parseHostScript(bad.text, steps, error)) << bad.text;
        EXPECT_NE(error.find(bad.message), std::string::npos) << bad.text << " -> " << error;
    }
}

} // namespace
