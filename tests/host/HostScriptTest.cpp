// The scripted mode's text format and the comparison of answers.
#include "host/driver/HostScript.h"
#include "host/driver/PanelTargets.h"

#include <gtest/gtest.h>

namespace {

std::vector<ScriptStep> parseGood(const std::string& text)
{
    std::vector<ScriptStep> steps;
    std::string error;
    EXPECT_TRUE(parseHostScript(text, steps, error)) << error;
    return steps;
}

std::string parseBad(const std::string& text)
{
    std::vector<ScriptStep> steps;
    std::string error;
    EXPECT_FALSE(parseHostScript(text, steps, error)) << text;
    return error;
}

TEST(HostScriptTest, ReadsEveryStepWithItsLineNumber)
{
    const std::vector<ScriptStep> steps = parseGood("# a demo\n"
                                                    "open\r\n"
                                                    "\n"
                                                    "program 4\n"
                                                    "  press 10 20 right\n"
                                                    "press practice\n"
                                                    "note-on 16 60 100\n"
                                                    "note-off 1 127\n"
                                                    "transport\nplay\nstop\nwait-song\n"
                                                    "idle 3\nwait 250\n"
                                                    "capture shots/held key.png\n"
                                                    "expect program-name Piano (61 keys)\n"
                                                    "print can-do receiveVstTimeInfo\n"
                                                    "close\n");
    ASSERT_EQ(steps.size(), 16u);
    EXPECT_EQ(steps[0].kind, StepKind::Open);
    EXPECT_EQ(steps[0].line, 2);
    EXPECT_EQ(steps[1].kind, StepKind::Program);
    EXPECT_EQ(steps[1].numbers[0], 4);
    EXPECT_EQ(steps[1].line, 4);

    EXPECT_EQ(steps[2].kind, StepKind::Press);
    EXPECT_EQ(steps[2].numbers[0], 10);
    EXPECT_EQ(steps[2].numbers[1], 20);
    EXPECT_TRUE(steps[2].rightButton);
    EXPECT_EQ(steps[3].numbers[0], 74); // centre of 50,0-98,24
    EXPECT_EQ(steps[3].numbers[1], 12);
    EXPECT_FALSE(steps[3].rightButton);

    EXPECT_EQ(steps[4].kind, StepKind::NoteOn);
    EXPECT_EQ(steps[4].numbers[0], 15); // channel 16 counts from 0 inside
    EXPECT_EQ(steps[4].numbers[1], 60);
    EXPECT_EQ(steps[4].numbers[2], 100);
    EXPECT_EQ(steps[5].kind, StepKind::NoteOff);
    EXPECT_EQ(steps[5].numbers[0], 0);

    EXPECT_EQ(steps[10].kind, StepKind::Idle);
    EXPECT_EQ(steps[11].numbers[0], 250);
    EXPECT_EQ(steps[12].path, "shots/held key.png");
    EXPECT_EQ(steps[13].query.kind, QueryKind::ProgramName);
    EXPECT_EQ(steps[13].expected, "Piano (61 keys)");
    EXPECT_EQ(steps[14].kind, StepKind::Print);
    EXPECT_EQ(steps[14].query.kind, QueryKind::CanDo);
    ASSERT_EQ(steps[14].query.args.size(), 1u);
    EXPECT_EQ(steps[14].query.args[0], "receiveVstTimeInfo");
    EXPECT_EQ(steps[15].kind, StepKind::Close);
}

TEST(HostScriptTest, ExpectationsTakeTheirArgumentsBeforeTheValue)
{
    const std::vector<ScriptStep> steps = parseGood("expect can-do sendVstMidiEvent -1\n"
                                                    "expect pixel 400 300 00ff00~16\n"
                                                    "expect editor-rect 135 215\n");
    EXPECT_EQ(steps[0].query.args[0], "sendVstMidiEvent");
    EXPECT_EQ(steps[0].expected, "-1");
    EXPECT_EQ(steps[1].query.args, (std::vector<std::string>{"400", "300"}));
    EXPECT_EQ(steps[1].expected, "00ff00~16");
    EXPECT_EQ(steps[2].expected, "135 215");
}

TEST(HostScriptTest, MistakesNameTheLineAndTheProblem)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"open\nopen the door\n", "line 2: open takes 0 argument(s)"},
        {"jump 3\n", "line 1: unknown step \"jump\""},
        {"note-on 17 60 100\n", "the channel must be a whole number from 1 to 16"},
        {"note-on 0 60 100\n", "the channel must be"},
        {"note-on 1 128 100\n", "the note must be"},
        {"note-on 1 60\n", "note-on takes 3 argument(s)"},
        {"note-off 1 60 64\n", "note-off takes 2"},
        {"program three\n", "the program must be a whole number"},
        {"program 99999999999\n", "the program must be"},
        {"idle -1\n", "the idle count"},
        {"wait 1.5\n", "the time in milliseconds"},
        {"press 10\n", "press needs x y"},
        {"press 10 20 middle\n", "left or right"},
        {"press nowhere\n", "a button name (spin, "},
        {"press practice left now\n", "unexpected \"now\""},
        {"capture\n", "capture needs a file name"},
        {"wait-file   \n", "wait-file needs a file name"},
        {"expect program-name\n", "expect needs the value"},
        {"expect can-do\n", "can-do needs 1 argument"},
        {"expect colour 1\n", "unknown query \"colour\""},
        {"expect pixel -1 2 000000\n", "pixel needs two coordinates"},
        {"print program now\n", "unexpected \"now\""},
    };
    for (const auto& bad : cases) {
        const std::string error = parseBad(bad.text);
        EXPECT_NE(error.find(bad.message), std::string::npos) << bad.text << " -> " << error;
    }
}

TEST(HostScriptTest, WaitFileTakesTheRestOfTheLineAsItsPath)
{
    const std::vector<ScriptStep> steps = parseGood("wait-file  screen checks/held key.go \r\n");
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].kind, StepKind::WaitFile);
    EXPECT_EQ(steps[0].path, "screen checks/held key.go");
}

TEST(HostScriptTest, AnswersCompareByTheirKind)
{
    Query flags;
    flags.kind = QueryKind::Flags;
    EXPECT_TRUE(answerMatches(flags, "0x101", "0x101"));
    EXPECT_TRUE(answerMatches(flags, "257", "0x101"));
    EXPECT_FALSE(answerMatches(flags, "0x100", "0x101"));
    EXPECT_FALSE(answerMatches(flags, "0x101", "none"));

    Query name;
    name.kind = QueryKind::ProgramName;
    EXPECT_TRUE(answerMatches(name, "Piano (88 keys)", "Piano (88 keys)"));
    EXPECT_FALSE(answerMatches(name, "piano (88 keys)", "Piano (88 keys)"));

    Query pixel;
    pixel.kind = QueryKind::Pixel;
    EXPECT_TRUE(answerMatches(pixel, "00ff00", "00ff00"));
    EXPECT_TRUE(answerMatches(pixel, "00FF00", "00ff00"));
    EXPECT_FALSE(answerMatches(pixel, "00ff00", "00fe00"));
    EXPECT_TRUE(answerMatches(pixel, "00ff00~8", "08f708"));
    EXPECT_FALSE(answerMatches(pixel, "00ff00~8", "09ff00"));
    EXPECT_FALSE(answerMatches(pixel, "00ff00", "outside the window"));
    EXPECT_FALSE(answerMatches(pixel, "green", "00ff00"));
}

TEST(PanelTargetsTest, NamesAndPointsFindTheSameButtons)
{
    int count = 0;
    const PanelTarget* buttons = panelTargets(count);
    ASSERT_EQ(count, 13);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(buttons[i].tag, 129 + i);
        EXPECT_EQ(panelTargetNamed(buttons[i].name), &buttons[i]);
        EXPECT_EQ(panelTagAt(buttons[i].centreX(), buttons[i].centreY()), buttons[i].tag) << buttons[i].name;
    }
    // Edges count as inside; the read-out and the gaps hit no button.
    EXPECT_EQ(panelTagAt(50, 0), 139);
    EXPECT_EQ(panelTagAt(98, 24), 139);
    EXPECT_EQ(panelTagAt(99, 24), 0);
    EXPECT_EQ(panelTagAt(10, 10), 0);
    EXPECT_EQ(panelTagAt(134, 60), 138);
    EXPECT_EQ(panelTargetNamed("Practice"), nullptr);
}

} // namespace
