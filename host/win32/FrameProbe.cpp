#include "host/win32/FrameProbe.h"

#include "host/win32/ImportHooks.h"

#include <GL/gl.h>

namespace {

FrameProbe* probe = nullptr;

decltype(&glClear) realClear = nullptr;
decltype(&SwapBuffers) realSwapBuffers = nullptr;

void WINAPI probeClear(GLbitfield mask)
{
    probe->onClear();
    realClear(mask);
}

// A highlighted key reads ffcccc (red lit by the white specular light); the
// same key unlit reads white, the background dark blue.
bool looksHighlighted(const unsigned char rgba[4])
{
    return rgba[0] >= 0xE0 && rgba[1] <= 0xE0 && rgba[2] <= 0xE0;
}

BOOL WINAPI probeSwapBuffers(HDC dc)
{
    unsigned char rgba[4] = {};
    glReadPixels(probe->watchedX(), probe->watchedY(), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    const BOOL swapped = realSwapBuffers(dc);
    probe->onFrameFinished(looksHighlighted(rgba));
    return swapped;
}

} // namespace

double probeClockMs()
{
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / ticksPerMs;
}

bool FrameProbe::attach(HMODULE plugin)
{
    probe = this;
    return redirectImport(plugin, "opengl32.dll", "glClear", probeClear, realClear) &&
        redirectImport(plugin, "gdi32.dll", "SwapBuffers", probeSwapBuffers, realSwapBuffers);
}

void FrameProbe::await(bool shown)
{
    awaitShown = shown;
    finished = false;
    waiting = true;
    blockSeen.store(false, std::memory_order_release);
    armed.store(true, std::memory_order_release);
}

void FrameProbe::beforeEvents()
{
    if (armed.exchange(false, std::memory_order_acq_rel)) {
        blockTime.store(probeClockMs(), std::memory_order_release);
        blockSeen.store(true, std::memory_order_release);
    }
}

void FrameProbe::onClear()
{
    clearTime = probeClockMs();
}

void FrameProbe::onFrameFinished(bool lit)
{
    const double now = probeClockMs();
    if (!waiting || !blockSeen.load(std::memory_order_acquire) || lit != awaitShown)
        return;
    // A frame that started before the block cannot show it, whatever it reads.
    if (clearTime < blockTime.load(std::memory_order_acquire))
        return;
    frameStart = clearTime;
    frameEnd = now;
    waiting = false;
    finished = true;
}
