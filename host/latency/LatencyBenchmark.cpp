#include "host/latency/LatencyBenchmark.h"

#include "host/engine/GlFrameHooks.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int notesPerRate = 200;
constexpr int idleRates[] = {15, 30, 60};
constexpr int piano88 = 3;
constexpr uint8_t watchedNote = 60;
// The front of note 60's white key at the default view, in the view's GL
// coordinates (rows from the bottom of its 600 x 400 pixels).
constexpr int keyX = 270;
constexpr int keyY = 400 - 1 - 224;
// A frame that has not come by then is not coming.
constexpr int patienceMs = 2000;

bool waitForFrame(HostSession& session, const FrameProbe& probe)
{
    const double start = frameClockMs();
    while (!probe.done()) {
        if (!session.wait(1) || frameClockMs() - start > patienceMs)
            return false;
    }
    return true;
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const size_t rank = static_cast<size_t>(fraction * static_cast<double>(values.size()) + 0.999999);
    return values[std::min(values.size(), std::max<size_t>(rank, 1)) - 1];
}

} // namespace

LatencyBenchmark::LatencyBenchmark(HostSession& session, PanelPresses& panel)
    : session(session)
    , panel(panel)
{
    probe.watchPixel(keyX, keyY);
    session.addListener(this);
}

void LatencyBenchmark::onBlock(const VstEvents&, const VstTimeInfo&, const int*)
{
    probe.beforeEvents();
}

int LatencyBenchmark::run()
{
    if (!hookPluginFrames(session.plugin()->moduleHandle(), &probe)) {
        std::fprintf(stderr, "QarnHost: the plug-in draws no OpenGL frames of its own to watch\n");
        return 1;
    }
    session.setProgram(piano88);
    session.openEditor();
    panel.pressNamed("highlight");
    session.wait(300);

    // Spaced at random against the idle timer, so that the notes fall at
    // every point of an idle period.
    std::mt19937 random(12);
    int status = 0;
    for (const int rate : idleRates) {
        session.setIdleRate(rate);
        std::uniform_int_distribution<int> gap(20, 20 + 1000 / rate);
        std::vector<double> latencies;
        std::vector<double> frames;
        for (int i = 0; i < notesPerRate; ++i) {
            session.wait(gap(random));
            probe.await(true);
            if (!session.sendMidi(0x90, watchedNote, 100) || !waitForFrame(session, probe)) {
                std::fprintf(stderr, "QarnHost: note %d at %d Hz never showed\n", i, rate);
                status = 1;
                break;
            }
            latencies.push_back(probe.latencyMs());
            frames.push_back(probe.frameMs());
            probe.await(false);
            if (!session.sendMidi(0x80, watchedNote, 0) || !waitForFrame(session, probe)) {
                std::fprintf(stderr, "QarnHost: the release of note %d at %d Hz never showed\n", i, rate);
                status = 1;
                break;
            }
        }
        if (latencies.empty())
            continue;
        std::printf("latency at %d Hz idle: median %.2f ms, 99th percentile %.2f ms, frame %.2f ms (%zu notes)\n", rate,
            percentile(latencies, 0.5), percentile(latencies, 0.99), percentile(frames, 0.5), latencies.size());
        std::fflush(stdout);
    }
    session.closeEditor();
    return status;
}
