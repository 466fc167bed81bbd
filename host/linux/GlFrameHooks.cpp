#include "host/engine/GlFrameHooks.h"

#include "host/linux/ViewActivity.h"

#include <GL/glx.h>
#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

// The program exports its own glClear and glXSwapBuffers (the link options
// of this library), and a library it loads binds its calls of them to the
// first definition in the process, the program's, even when loaded with
// RTLD_LOCAL. Each call is passed on to libGL's. The host draws no GL of its
// own, so every clear and swap in the process is the plug-in's, on whichever
// thread draws its view (on Linux a thread of the view's own).
namespace {

std::atomic<GlFrameObserver*> watching{nullptr};
// What the view is doing, for pictures taken between its frames: whether a
// frame is under way, when the last one began (its first clear) and when
// the last finished one began.
std::atomic<bool> drawing{false};
std::atomic<double> frameBeganMs{-1.0};
std::atomic<double> finishedFrameBeganMs{-1.0};

void noteClear()
{
    const double now = frameClockMs();
    if (!drawing.exchange(true, std::memory_order_acq_rel))
        frameBeganMs.store(now, std::memory_order_release);
}

void noteSwap()
{
    finishedFrameBeganMs.store(frameBeganMs.load(std::memory_order_acquire), std::memory_order_release);
    drawing.store(false, std::memory_order_release);
}

template <typename Function> Function libGl(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

void glClear(GLbitfield mask)
{
    static const auto realClear = libGl<void (*)(GLbitfield)>("glClear");
    noteClear();
    if (GlFrameObserver* observer = watching.load(std::memory_order_acquire))
        observer->onClear();
    realClear(mask);
}

void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    static const auto realSwap = libGl<void (*)(Display*, GLXDrawable)>("glXSwapBuffers");
    GlFrameObserver* observer = watching.load(std::memory_order_acquire);
    unsigned char rgba[4] = {};
    if (observer)
        glReadPixels(observer->watchedX(), observer->watchedY(), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    realSwap(display, drawable);
    noteSwap();
    if (observer)
        observer->onFrameFinished(rgba);
}

} // extern "C"

bool hookPluginFrames(void* module, GlFrameObserver* observer)
{
    // The library must call GL, libGL must be there to pass the calls on to,
    // and the program must export ours, or the library's calls never reach them.
    const bool seen = module && dlsym(module, "glClear") && dlsym(module, "glXSwapBuffers") &&
        libGl<void*>("glClear") && libGl<void*>("glXSwapBuffers") &&
        dlsym(RTLD_DEFAULT, "glClear") == reinterpret_cast<void*>(&glClear) &&
        dlsym(RTLD_DEFAULT, "glXSwapBuffers") == reinterpret_cast<void*>(&glXSwapBuffers);
    if (seen)
        watching.store(observer, std::memory_order_release);
    return seen;
}

double frameClockMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void waitForView(double changedMs)
{
    constexpr double patienceMs = 2000.0;
    const double start = frameClockMs();
    for (;;) {
        const double finishedBegan = finishedFrameBeganMs.load(std::memory_order_acquire);
        // A view that has never drawn has no frame to wait for.
        const bool current = finishedBegan < 0.0 || finishedBegan >= changedMs;
        if ((current && !drawing.load(std::memory_order_acquire)) || frameClockMs() - start >= patienceMs)
            return;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}
