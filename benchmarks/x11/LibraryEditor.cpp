#include "benchmarks/x11/LibraryEditor.h"

#include "benchmarks/BenchmarkHost.h"
#include "tests/library/PluginLibrary.h"

#include <GL/glx.h>
#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Written on the view's thread: the times first, then the count that
// publishes them.
std::atomic<double> frameStart{0.0};
std::atomic<double> startOfLastEnded{0.0};
std::atomic<double> endOfLastEnded{0.0};
std::atomic<int> framesEnded{0};

std::atomic<int> xErrors{0};

int countXError(Display*, XErrorEvent*)
{
    xErrors.fetch_add(1);
    return 0;
}

template <typename Function> Function nextDefinition(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

void glClear(GLbitfield mask)
{
    static const auto realClear = nextDefinition<void (*)(GLbitfield)>("glClear");
    frameStart = nowMs();
    realClear(mask);
}

void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    static const auto realSwap = nextDefinition<void (*)(Display*, GLXDrawable)>("glXSwapBuffers");
    realSwap(display, drawable);
    startOfLastEnded = frameStart.load();
    endOfLastEnded = nowMs();
    framesEnded.fetch_add(1, std::memory_order_release);
}

} // extern "C"

FrameRecord lastFrame()
{
    FrameRecord frame;
    frame.ended = framesEnded.load(std::memory_order_acquire);
    frame.start = startOfLastEnded;
    frame.end = endOfLastEnded;
    return frame;
}

int hostXErrors()
{
    return xErrors;
}

LibraryEditor::LibraryEditor(const char* path)
{
    XSetErrorHandler(countXError);
    // Without these the library's frames would never be seen.
    if (!nextDefinition<void*>("glClear") || !nextDefinition<void*>("glXSwapBuffers"))
        return;
    if (PluginMain pluginMain = pluginEntry(path, "VSTPluginMain"))
        effect = pluginMain(benchmarkHost);
    if (effect)
        dispatch(effMainsChanged, 1);
}

LibraryEditor::~LibraryEditor()
{
    if (effect)
        dispatch(effClose);
}

intptr_t LibraryEditor::dispatch(int32_t opcode, intptr_t value, void* ptr)
{
    return effect->dispatcher(effect, opcode, 0, value, ptr, 0.0f);
}

double LibraryEditor::open(void* parent)
{
    const double start = nowMs();
    dispatch(effEditOpen, 0, parent);
    return nowMs() - start;
}

double LibraryEditor::close()
{
    const double start = nowMs();
    dispatch(effEditClose);
    return nowMs() - start;
}

bool LibraryEditor::idleUntilFrames(int frames, double patienceMs)
{
    const double deadline = nowMs() + patienceMs;
    while (lastFrame().ended < frames) {
        if (nowMs() >= deadline)
            return false;
        dispatch(effEditIdle);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
