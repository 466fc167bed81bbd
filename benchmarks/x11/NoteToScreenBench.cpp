// Note to screen on X11: how long a note takes from the block handed to the
// plug-in's processing side to the end of the first frame that shows its key
// lit, while a simulated host calls the editor's idle 15, 30 and 60 times a
// second. The view runs as in the Linux plug-in: on the GLX backend, in a
// window of a host's own on the X display, drawn by the view's own thread.
// Prints the median and the 99th percentile per idle rate, with the median
// duration of those frames, as `QarnHost --latency` does for the Windows DLL.
//
// The frames are watched by wrapping the GL calls of the linked-in view
// (--wrap=glClear, --wrap=glXSwapBuffers): a frame starts at its first clear
// and ends when its swap has returned, and the watched pixel is read from the
// finished frame just before the swap. The pixel is found at the start: the
// middle of the keys the held note lights.
//
// Needs an X display (scripts/bench.sh starts Xvfb when there is none).
#include "benchmarks/Timing.h"
#include "glut/glut.h"
#include "formats/vst2/ViewerPlugin.h"
#include "tests/support/FakeHost.h"
#include "tests/support/MidiBlock.h"
#include "tests/support/X11TestWindow.h"
#include "view3d/GlView.h"
#include "view3d/ViewState.h"

#include <GL/glx.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int notesPerRate = 200;
constexpr int idleRates[] = {15, 30, 60};
constexpr int piano88 = 3;
constexpr int watchedNote = 60;
// A frame that has not come by then is not coming.
constexpr auto patience = std::chrono::seconds(2);

bool isRedDominant(const unsigned char* rgba)
{
    return rgba[0] > rgba[1] + 30 && rgba[0] > rgba[2] + 30;
}

// What the wrapped GL calls report, on the view's thread, and what the
// processing thread stamps.
struct FrameProbe {
    std::atomic<int> pixelX{-1}; // GL window coordinates; -1 until found
    std::atomic<int> pixelY{-1};
    std::atomic<bool> findPixel{false};
    std::atomic<int> awaiting{0}; // 0 nothing, 1 the key lit, 2 the key dark
    std::atomic<bool> blockSeen{false};
    std::atomic<double> blockTime{0.0};
    std::atomic<bool> done{false};
    std::atomic<double> latency{0.0};
    std::atomic<double> frameTime{0.0};
    double frameStart = 0.0; // view's thread only
    bool frameStarted = false;

    void await(bool lit)
    {
        done = false;
        blockSeen = false;
        awaiting = lit ? 1 : 2;
    }
};

FrameProbe probe;

// The whole frame's middle of the red keys, once, while the note is held.
void findLitPixel()
{
    std::vector<unsigned char> rgba(std::size_t(viewPlacement.width) * viewPlacement.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, viewPlacement.width, viewPlacement.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    long sumX = 0, sumY = 0, count = 0;
    for (int y = 0; y < viewPlacement.height; ++y) {
        for (int x = 0; x < viewPlacement.width; ++x) {
            if (isRedDominant(&rgba[(std::size_t(y) * viewPlacement.width + x) * 4])) {
                sumX += x, sumY += y, ++count;
            }
        }
    }
    if (count == 0) {
        return;
    }
    int x = int(sumX / count), y = int(sumY / count);
    if (!isRedDominant(&rgba[(std::size_t(y) * viewPlacement.width + x) * 4])) {
        // Not a convex patch: take the first lit pixel instead.
        for (int i = 0; i < viewPlacement.width * viewPlacement.height; ++i) {
            if (isRedDominant(&rgba[std::size_t(i) * 4])) {
                x = i % viewPlacement.width, y = i / viewPlacement.width;
                break;
            }
        }
    }
    probe.pixelY = y;
    probe.pixelX = x;
    probe.findPixel = false;
}

} // namespace

extern "C" {

void __real_glClear(GLbitfield mask);
void __real_glXSwapBuffers(Display* display, GLXDrawable drawable);

void __wrap_glClear(GLbitfield mask)
{
    if (!probe.frameStarted) {
        probe.frameStarted = true;
        probe.frameStart = nowMs();
    }
    __real_glClear(mask);
}

void __wrap_glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    if (probe.findPixel) {
        findLitPixel();
    }
    bool lit = false;
    if (probe.pixelX >= 0) {
        unsigned char rgba[4] = {};
        glReadPixels(probe.pixelX, probe.pixelY, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        lit = isRedDominant(rgba);
    }
    __real_glXSwapBuffers(display, drawable);
    const double end = nowMs();
    probe.frameStarted = false;
    const int awaited = probe.awaiting;
    if (awaited != 0 && probe.blockSeen && lit == (awaited == 1)) {
        probe.latency = end - probe.blockTime;
        probe.frameTime = end - probe.frameStart;
        probe.awaiting = 0;
        probe.done = true;
    }
}

} // extern "C"

namespace {

// The host's processing thread: hands over the block it is given, stamping
// the moment just before.
class ProcessingThread {
public:
    explicit ProcessingThread(ViewerPlugin& plugin)
        : plugin(plugin)
        , thread([this] { run(); })
    {
    }
    ~ProcessingThread()
    {
        stopping = true;
        thread.join();
    }
    void send(int status, int note, int velocity) { pending = (status << 16) | (note << 8) | velocity; }

private:
    void run()
    {
        while (!stopping) {
            const int message = pending.exchange(-1);
            if (message >= 0) {
                MidiBlock block;
                block.add(static_cast<unsigned char>(message >> 16), static_cast<unsigned char>(message >> 8),
                    static_cast<unsigned char>(message));
                VstEvents* events = block.events();
                probe.blockTime = nowMs();
                probe.blockSeen = true;
                plugin.processEvents(events);
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }

    ViewerPlugin& plugin;
    std::atomic<int> pending{-1};
    std::atomic<bool> stopping{false};
    std::thread thread;
};

bool waitForFrame()
{
    const auto start = Clock::now();
    while (!probe.done) {
        if (Clock::now() - start > patience) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const size_t rank = static_cast<size_t>(fraction * static_cast<double>(values.size()) + 0.999999);
    return values[std::min(values.size(), std::max<size_t>(rank, 1)) - 1];
}

// The notes of one idle rate, spaced at random against the idle timer so
// that they fall at every point of an idle period. False if a frame never came.
bool measureRate(ProcessingThread& processing, int rate, std::mt19937& random)
{
    std::uniform_int_distribution<int> gap(20, 20 + 1000 / rate);
    std::vector<double> latencies;
    std::vector<double> frames;
    for (int i = 0; i < notesPerRate; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(gap(random)));
        probe.await(true);
        processing.send(0x90, watchedNote, 100);
        if (!waitForFrame()) {
            std::fprintf(stderr, "note %d at %d Hz never showed\n", i, rate);
            return false;
        }
        latencies.push_back(probe.latency);
        frames.push_back(probe.frameTime);
        probe.await(false);
        processing.send(0x80, watchedNote, 0);
        if (!waitForFrame()) {
            std::fprintf(stderr, "the release of note %d at %d Hz never showed\n", i, rate);
            return false;
        }
    }
    std::printf("latency at %d Hz idle: median %.2f ms, 99th percentile %.2f ms, frame %.2f ms (%zu notes)\n", rate,
        percentile(latencies, 0.5), percentile(latencies, 0.99), percentile(frames, 0.5), latencies.size());
    std::fflush(stdout);
    return true;
}

} // namespace

int main()
{
    X11TestWindow host;
    if (!host.valid()) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    FakeHost fakeHost;
    ViewerPlugin plugin(FakeHost::callback);
    plugin.setProgram(piano88);
    viewState.showKeyColour = true;
    openView(host.parent());
    if (!glViewReady) {
        std::fprintf(stderr, "the view did not open\n");
        return 1;
    }

    std::atomic<int> idleRate{60};
    std::atomic<bool> running{true};
    std::atomic<int> status{0};
    std::thread notes([&] {
        ProcessingThread processing(plugin);
        // Finds the watched pixel on a frame with the note held.
        probe.findPixel = true;
        probe.await(true);
        processing.send(0x90, watchedNote, 100);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        processing.send(0x80, watchedNote, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        if (probe.pixelX < 0) {
            std::fprintf(stderr, "the held key never showed red\n");
            status = 1;
        }
        std::mt19937 random(12);
        for (const int rate : idleRates) {
            if (status != 0) {
                break;
            }
            idleRate = rate;
            status = measureRate(processing, rate, random) ? 0 : 1;
        }
        running = false;
    });

    // The host's user-interface thread: the editor's idle at the host's rate.
    auto next = Clock::now();
    while (running) {
        idleView();
        next += std::chrono::microseconds(1000000 / idleRate);
        std::this_thread::sleep_until(next);
    }
    notes.join();
    closeView();
    return status;
}
