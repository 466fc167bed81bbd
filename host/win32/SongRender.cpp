#include "host/win32/SongRender.h"

#include "host/render/FrameClock.h"
#include "host/render/FrameSink.h"
#include "host/driver/PanelTargets.h"
#include "host/render/Mp4Sink.h"
#include "host/win32/WindowCapture.h"

#include <cstdio>
#include <memory>

namespace {

int failure(int status, const std::string& message)
{
    std::fprintf(stderr, "QarnHost: render: %s\n", message.c_str());
    return status;
}

std::unique_ptr<FrameSink> makeSink(const RenderOptions& options, const FrameClock& clock, std::string& error)
{
    if (rendersToMp4(options.outPath)) {
        if (!options.audioPath.empty() && GetFileAttributesA(options.audioPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
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
void switchTogglesOn(HostSession& session, const RenderOptions& options)
{
    if (options.keepToggles)
        return;
    for (const char* name : {"highlight", "depress"}) {
        const DisplayToggles& toggles = session.displayToggles();
        const bool on = std::string(name) == "highlight" ? toggles.highlight() : toggles.depress();
        const PanelTarget* button = panelTargetNamed(name);
        if (!on)
            session.press(button->centreX(), button->centreY(), false);
    }
}

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start); }
    double seconds() const
    {
        LARGE_INTEGER now;
        LARGE_INTEGER frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER start;
};

} // namespace

int renderSong(HostSession& session, const SongSchedule& song, const RenderOptions& options)
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
    switchTogglesOn(session, options);
    session.startOfflinePlayback();
    int64_t position = 0;
    WindowCapture capture;
    RgbImage frame;
    for (int64_t index = 0; index < clock.frameCount(); ++index) {
        // The messages at the frame's own sample belong to it.
        const int64_t end = clock.sampleOf(index) + 1;
        while (position < end) {
            const int64_t length = std::min<int64_t>(end - position, HostSession::blockSize);
            session.runBlock(static_cast<int32_t>(length));
            position += length;
        }
        if (!session.idle(1))
            return failure(1, "the window was closed");
        if (!capture.capture(session.windowHandle(), frame, error) || !sink->write(frame, error))
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
