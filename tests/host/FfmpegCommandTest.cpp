// The command that turns a render into an MP4, and the quoting of a Windows
// command line that carries it.
#include "host/render/FfmpegCommand.h"
#include "host/win32/WindowsCommandLine.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The value after `name`, or "" when the option is missing.
std::string valueOf(const std::vector<std::string>& arguments, const std::string& name, size_t occurrence = 0)
{
    for (size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == name && occurrence-- == 0)
            return arguments[i + 1];
    }
    return "";
}

bool has(const std::vector<std::string>& arguments, const std::string& word)
{
    return std::find(arguments.begin(), arguments.end(), word) != arguments.end();
}

TEST(FfmpegCommandTest, RawFramesInOneFileOut)
{
    Mp4Encoding encoding;
    encoding.width = 700;
    encoding.height = 500;
    encoding.fps = 25;
    encoding.seconds = 3.0;
    encoding.outputPath = "/tmp/out put.mp4";
    const std::vector<std::string> arguments = ffmpegArguments(encoding);

    EXPECT_EQ(valueOf(arguments, "-f"), "rawvideo");
    EXPECT_EQ(valueOf(arguments, "-pix_fmt"), "rgb24");
    EXPECT_EQ(valueOf(arguments, "-video_size"), "700x500");
    EXPECT_EQ(valueOf(arguments, "-framerate"), "25");
    EXPECT_EQ(valueOf(arguments, "-i"), "pipe:0");
    EXPECT_EQ(valueOf(arguments, "-i", 1), "");
    EXPECT_FALSE(has(arguments, "1:a"));
    EXPECT_EQ(valueOf(arguments, "-c:v"), "libx264");
    EXPECT_EQ(valueOf(arguments, "-pix_fmt", 1), "yuv420p");
    EXPECT_EQ(arguments.back(), "/tmp/out put.mp4");
}

TEST(FfmpegCommandTest, TheSoundIsSeekedAndCutOnItsInputSoEveryFrameStays)
{
    Mp4Encoding encoding;
    encoding.width = 600;
    encoding.height = 401;
    encoding.seconds = 2.5;
    encoding.outputPath = "out.mp4";
    encoding.audioPath = "song.wav";
    encoding.audioFromSeconds = 1.25;
    const std::vector<std::string> arguments = ffmpegArguments(encoding);

    const auto sound = std::find(arguments.begin(), arguments.end(), "song.wav");
    ASSERT_NE(sound, arguments.end());
    ASSERT_GE(sound - arguments.begin(), 5);
    EXPECT_EQ(*(sound - 5), "-ss");
    EXPECT_EQ(*(sound - 4), "1.250000");
    EXPECT_EQ(*(sound - 3), "-t");
    EXPECT_EQ(*(sound - 2), "2.500000");
    EXPECT_EQ(valueOf(arguments, "-map"), "0:v");
    EXPECT_EQ(valueOf(arguments, "-map", 1), "1:a");
    EXPECT_EQ(valueOf(arguments, "-c:a"), "aac");
    EXPECT_FALSE(has(arguments, "-shortest"));
    EXPECT_EQ(arguments.back(), "out.mp4");
}

TEST(FfmpegCommandTest, CommandLineQuotingSurvivesTheRuntimeParser)
{
    EXPECT_EQ(windowsCommandLine({"ffmpeg", "-i", "pipe:0"}), "ffmpeg -i pipe:0");
    EXPECT_EQ(windowsCommandLine({"a b", ""}), "\"a b\" \"\"");
    // Backslashes stay literal unless a quote follows them.
    EXPECT_EQ(windowsCommandLine({"C:\\Program Files\\ffmpeg.exe"}), "\"C:\\Program Files\\ffmpeg.exe\"");
    EXPECT_EQ(windowsCommandLine({"C:\\dir\\"}), "C:\\dir\\");
    EXPECT_EQ(windowsCommandLine({"C:\\my dir\\"}), "\"C:\\my dir\\\\\"");
    EXPECT_EQ(windowsCommandLine({"say \"hi\""}), "\"say \\\"hi\\\"\"");
    EXPECT_EQ(windowsCommandLine({"a\\\"b"}), "\"a\\\\\\\"b\"");
    EXPECT_EQ(windowsCommandLine({"ffmpeg \"$@\"; echo $?"}), "\"ffmpeg \\\"$@\\\"; echo $?\"");
}

} // namespace
