// ffmpeg run by the Linux host: an MP4 from a render's frames, and an ffmpeg
// that refuses its work or is not there, each told as ffmpeg or the host
// says it, without a hang and without the SIGPIPE that would end the host.
#include "host/engine/FfmpegProcess.h"
#include "host/render/Mp4Sink.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

fs::path freshFolder(const char* name)
{
    const fs::path folder = fs::temp_directory_path() / ("qarn-ffmpeg-test-" + std::to_string(getpid())) / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

RgbImage frame(int width, int height, uint8_t shade)
{
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(size_t(width) * height * 3, shade);
    return image;
}

// What ffprobe reads of the video stream: "width,height,frames".
std::string probeVideo(const fs::path& file)
{
    const std::string command = "ffprobe -v error -count_frames -select_streams v:0 "
                                "-show_entries stream=width,height,nb_read_frames -of csv=p=0 '" +
        file.string() + "'";
    FILE* output = popen(command.c_str(), "r");
    if (!output)
        return "";
    char line[128] = {};
    const bool read = std::fgets(line, sizeof line, output) != nullptr;
    pclose(output);
    std::string text = read ? line : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ','))
        text.pop_back();
    return text;
}

// No child left unwaited for: ffmpeg has been reaped.
bool noChildLeft()
{
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

Mp4Encoding encodingTo(const fs::path& file)
{
    Mp4Encoding encoding;
    encoding.fps = 10;
    encoding.seconds = 0.5;
    encoding.outputPath = file.string();
    return encoding;
}

TEST(FfmpegProcessTest, RenderedFramesBecomeAnMp4OfTheirSizeAndNumber)
{
    const fs::path video = freshFolder("render") / "song.mp4";
    Mp4Sink sink(encodingTo(video));
    std::string error;
    for (uint8_t shade = 0; shade < 5; ++shade)
        ASSERT_TRUE(sink.write(frame(32, 24, uint8_t(shade * 50)), error)) << error;
    ASSERT_TRUE(sink.finish(error)) << error;
    EXPECT_TRUE(noChildLeft());
    EXPECT_EQ(probeVideo(video), "32,24,5");
}

TEST(FfmpegProcessTest, AnFfmpegThatRefusesItsWorkIsReportedInItsOwnWords)
{
    // Arguments it does not know: it stops before reading; the frames meet a
    // closed input, which must be an error, not a signal.
    FfmpegProcess ffmpeg;
    std::string error;
    ASSERT_TRUE(ffmpeg.start({"-hide_banner", "-no-such-option", "x"}, error)) << error;
    const std::vector<char> chunk(1 << 16, 0);
    bool writing = true;
    for (int i = 0; i < 256 && writing; ++i)
        writing = ffmpeg.write(chunk.data(), chunk.size(), error);
    if (writing)
        writing = ffmpeg.finish(error);
    EXPECT_FALSE(writing);
    EXPECT_NE(error.find("Unrecognized option 'no-such-option'"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_TRUE(noChildLeft());
    // Over: a second finish does nothing.
    EXPECT_TRUE(ffmpeg.finish(error));

    // An output it cannot write: it fails once it has the first frame.
    Mp4Sink sink(encodingTo("/nonexistent-folder/song.mp4"));
    bool rendered = sink.write(frame(16, 16, 0), error);
    if (rendered)
        rendered = sink.finish(error);
    EXPECT_FALSE(rendered);
    EXPECT_NE(error.find("/nonexistent-folder/song.mp4: No such file or directory"), std::string::npos) << error;
    EXPECT_TRUE(noChildLeft());
}

TEST(FfmpegProcessTest, NoFfmpegOnThePathIsSaidPlainly)
{
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", freshFolder("empty-path").c_str(), 1);
    FfmpegProcess ffmpeg;
    std::string error;
    const bool started = ffmpeg.start({"-version"}, error);
    Mp4Sink sink(encodingTo(freshFolder("no-ffmpeg") / "song.mp4"));
    std::string sinkError;
    const bool written = sink.write(frame(16, 16, 0), sinkError);
    setenv("PATH", path.c_str(), 1);

    EXPECT_FALSE(started);
    EXPECT_EQ(error, "ffmpeg was not found on the PATH; install it (Debian: ffmpeg), or render to a folder of PNGs");
    EXPECT_FALSE(written);
    EXPECT_EQ(sinkError, error);
}

TEST(FfmpegProcessTest, AnUnfinishedRenderEndsItsFfmpegWithTheSink)
{
    const fs::path video = freshFolder("unfinished") / "song.mp4";
    {
        Mp4Sink sink(encodingTo(video));
        std::string error;
        ASSERT_TRUE(sink.write(frame(16, 16, 0), error)) << error;
    }
    EXPECT_TRUE(noChildLeft());
}

} // namespace
