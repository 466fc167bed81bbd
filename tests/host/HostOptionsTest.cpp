// The host's command line.
#include "host/app/HostOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(HostOptionsTest, PluginSongAndOptionsInAnyOrder)
{
    HostOptions options;
    std::string error;
    ASSERT_TRUE(parseHostOptions(
        {"--loop", "QarnViewer.dll", "--program", "4", "song.mid", "--midi-in=2", "--script", "steps.txt"}, options,
        error))
        << error;
    EXPECT_EQ(options.pluginPath, "QarnViewer.dll");
    EXPECT_EQ(options.songPath, "song.mid");
    EXPECT_EQ(options.scriptPath, "steps.txt");
    EXPECT_TRUE(options.loop);
    EXPECT_TRUE(options.hasProgram);
    EXPECT_EQ(options.program, 4);
    EXPECT_EQ(options.midiInput, "2");

    ASSERT_TRUE(parseHostOptions({"plugin.dll"}, options, error));
    EXPECT_FALSE(options.hasProgram);
    EXPECT_EQ(options.midiInput, "");
    EXPECT_TRUE(options.songPath.empty());

    ASSERT_TRUE(parseHostOptions({"--list-midi-in"}, options, error));
    EXPECT_TRUE(options.listMidiInputs);
    ASSERT_TRUE(parseHostOptions({"--program=-1", "p.dll"}, options, error));
    EXPECT_EQ(options.program, -1);
}

TEST(HostOptionsTest, ProblemsAreNamed)
{
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{}, "which plug-in"},
        {{"p.dll", "a.mid", "b.mid"}, "unexpected argument \"b.mid\""},
        {{"p.dll", "--program"}, "--program needs a value"},
        {{"p.dll", "--program", "two"}, "whole number, not \"two\""},
        {{"p.dll", "--program", "4294967296"}, "whole number"},
        {{"p.dll", "--midi-in="}, "--midi-in needs a port's number or name"},
        {{"p.dll", "--loop=yes"}, "--loop takes no value"},
        {{"p.dll", "--fast"}, "unknown option --fast"},
    };
    for (const auto& bad : cases) {
        HostOptions options;
        std::string error;
        EXPECT_FALSE(parseHostOptions(bad.args, options, error));
        EXPECT_NE(error.find(bad.message), std::string::npos) << error;
    }
}

} // namespace
