// The render's part of the host's command line.
#include "host/app/HostOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(RenderOptionsTest, AFullRenderAndItsDefaults)
{
    HostOptions options;
    std::string error;
    ASSERT_TRUE(parseHostOptions({"p.dll", "song.mid", "--render", "out.mp4", "--fps=60", "--from", "1.5", "--to", "12",
                                     "--audio", "song.wav", "--keep-toggles", "--script", "setup.txt"},
        options, error))
        << error;
    const RenderOptions& render = options.render;
    EXPECT_EQ(render.outPath, "out.mp4");
    EXPECT_EQ(render.fps, 60);
    EXPECT_DOUBLE_EQ(render.fromSeconds, 1.5);
    EXPECT_TRUE(render.hasTo);
    EXPECT_DOUBLE_EQ(render.toSeconds, 12.0);
    EXPECT_EQ(render.audioPath, "song.wav");
    EXPECT_TRUE(render.keepToggles);
    EXPECT_EQ(options.scriptPath, "setup.txt");

    ASSERT_TRUE(parseHostOptions({"p.dll", "song.mid", "--render", "frames"}, options, error)) << error;
    EXPECT_TRUE(options.render.active());
    EXPECT_EQ(options.render.fps, 30);
    EXPECT_DOUBLE_EQ(options.render.fromSeconds, 0.0);
    EXPECT_FALSE(options.render.hasTo);
    EXPECT_FALSE(options.render.keepToggles);

    ASSERT_TRUE(parseHostOptions({"p.dll", "song.mid"}, options, error));
    EXPECT_FALSE(options.render.active());
}

TEST(RenderOptionsTest, ProblemsAreNamed)
{
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"p.dll", "--render", "out.mp4"}, "needs a song"},
        {{"p.dll", "s.mid", "--render"}, "--render needs a value"},
        {{"p.dll", "s.mid", "--render="}, "--render needs a file name"},
        {{"p.dll", "s.mid", "--render", "o.mp4", "--fps", "0"}, "from 1 to 240, not \"0\""},
        {{"p.dll", "s.mid", "--render", "o.mp4", "--fps", "241"}, "from 1 to 240"},
        {{"p.dll", "s.mid", "--render", "o.mp4", "--fps", "29.97"}, "whole number"},
        {{"p.dll", "s.mid", "--render", "o.mp4", "--from", "-1"}, "--from needs a time in seconds"},
        {{"p.dll", "s.mid", "--render", "o.mp4", "--from", "1e3"}, "not \"1e3\""},
        {{"p.dll", "s.mid", "--render", "o.mp4", "--to", "inf"}, "--to needs a time"},
        {{"p.dll", "s.mid", "--render", "o.mp4", "--to", "."}, "--to needs a time"},
        {{"p.dll", "s.mid", "--render", "o.mp4", "--to", "1.2.3"}, "--to needs a time"},
        {{"p.dll", "s.mid", "--render", "o.mp4", "--to", "2000000"}, "--to needs a time"},
        {{"p.dll", "s.mid", "--render", "o.mp4", "--from", "5", "--to", "5"}, "--to must come after --from"},
        {{"p.dll", "s.mid", "--render", "frames", "--audio", "s.wav"}, "--audio needs an MP4"},
        {{"p.dll", "s.mid", "--render", "o.mp4", "--midi-in", "0"}, "cannot take a live keyboard"},
        {{"p.dll", "s.mid", "--render", "o.mp4", "--loop"}, "--loop does not apply"},
        {{"p.dll", "s.mid", "--render", "o.mp4", "--keep-toggles=no"}, "--keep-toggles takes no value"},
        {{"p.dll", "s.mid", "--fps", "30"}, "--fps only applies to a render"},
        {{"p.dll", "s.mid", "--audio", "s.wav"}, "--audio only applies to a render"},
        {{"p.dll", "s.mid", "--keep-toggles"}, "--keep-toggles only applies to a render"},
    };
    for (const auto& bad : cases) {
        HostOptions options;
        std::string error;
        EXPECT_FALSE(parseHostOptions(bad.args, options, error)) << bad.message;
        EXPECT_NE(error.find(bad.message), std::string::npos) << error;
    }
}

TEST(RenderOptionsTest, OnlyAnMp4NameMakesAVideoFile)
{
    EXPECT_TRUE(rendersToMp4("out.mp4"));
    EXPECT_TRUE(rendersToMp4("Z:\\videos\\Song.MP4"));
    EXPECT_FALSE(rendersToMp4("frames"));
    EXPECT_FALSE(rendersToMp4("mp4"));
    EXPECT_FALSE(rendersToMp4("out.mp4/"));
    EXPECT_FALSE(rendersToMp4("out.mkv"));
}

} // namespace
