#include "host/render/SongRender.h"

#include "host/render/FrameClock.h"
#include "host/render/FrameSink.h"
#include "host/render/Mp4Sink.h"

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

int failure(int status, const std::string& message)
{
    std::fprintf(stderr, "QarnHost: render: %s\n", message.c_str());
    return status;
}

bool readable(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file)
        std::fclose(file);
    return file != nullptr;
}

std::unique_ptr<FrameSink> makeSink(const RenderOptions& options, const FrameClock& clock, std::string& error)
{
    if (rendersToMp4(options.outPath)) {
        if (!options.audioPath.empty() && !readable(options.audioPath)) {
            error = options.audioPath + ": cannot read the sound track";
            return nullptr;
        }
        Mp4Encoding encoding;
        encoding.fps = clock.framesPerSecond();
        encoding.seconds = clock.videoSeconds();
        encoding.outputPath = options.outPath;
        encoding.audioPath = options.audioPath;
        encoding.audioFromSeconds = options.fromSeconds;
        return std::make_unique<Mp4Sink>(encoding);
    }
    auto folder = std::make_unique<PngFolderSink>(options.outPath);
    if (!folder->prepare(error))
        return nullptr;
    return folder;
}

// Highlight and depress on, unless the user keeps them as the script left them.
void switchTogglesOn(PanelPresses& panel, const RenderOptions& options)
{
    if (options.keepToggles)
        return;
    if (!panel.displayToggles().highlight())
        panel.pressNamed("highlight");
    if (!panel.displayToggles().depress())
        panel.pressNamed("depress");
}

class Stopwatch {
public:
    double seconds() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); }

private:
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

} // namespace

int renderSong(HostSession& session, PanelPresses& panel, const SongSchedule& song, const RenderOptions& options)
{
    const double songSeconds = static_cast<double>(song.lengthFrames()) / song.sampleRate();
    if (!options.hasTo && options.fromSeconds >= songSeconds) {
        char text[96];
        std::snprintf(text, sizeof text, "--from lies at or after the song's end (%.3f s)", songSeconds);
        return failure(2, text);
    }
    const FrameClock clock(
        options.fps, options.fromSeconds, options.hasTo ? options.toSeconds : songSeconds, song.sampleRate());
    std::string error;
    std::unique_ptr<FrameSink> sink = makeSink(options, clock, error);
    if (!sink)
        return failure(2, error);

    const Stopwatch stopwatch;
    session.openEditor();
    switchTogglesOn(panel, options);
    session.startOfflinePlayback();
    int64_t position = 0;
    RgbImage frame;
    for (int64_t index = 0; index < clock.frameCount(); ++index) {
        // The messages at the frame's own sample belong to it.
        const int64_t end = clock.sampleOf(index) + 1;
        while (position < end) {
            const int64_t length = std::min<int64_t>(end - position, HostSession::blockSize);
            session.runBlock(static_cast<int32_t>(length));
            position += length;
        }
        if (!session.capture(frame, error) || !sink->write(frame, error))
            return failure(index == 0 ? 2 : 1, "frame " + std::to_string(index) + ": " + error);
    }
    if (!sink->finish(error))
        return failure(1, error);

    const double took = stopwatch.seconds();
    std::printf("render: %lld frames at %d fps (%.2f s of song from %.2f s) in %.2f s, %.1f times real time: %s\n",
        static_cast<long long>(clock.frameCount()), clock.framesPerSecond(), clock.videoSeconds(), options.fromSeconds,
        took, took > 0.0 ? clock.videoSeconds() / took : 0.0, options.outPath.c_str());
    std::fflush(stdout);
    return 0;
}
