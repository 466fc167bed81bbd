#include "host/engine/GlFrameHooks.h"

#include "host/win32/ImportHooks.h"

#include <windows.h>

#include <GL/gl.h>

#include <cstdlib>

// The plug-in's imports of glClear (opengl32.dll) and SwapBuffers (gdi32.dll)
// are redirected to these, which pass each call on; only the plug-in's own
// calls come here, on the thread that draws its view.
namespace {

GlFrameObserver* watching = nullptr;

decltype(&glClear) realClear = nullptr;
decltype(&SwapBuffers) realSwapBuffers = nullptr;

void WINAPI clearHook(GLbitfield mask)
{
    watching->onClear();
    realClear(mask);
}

BOOL WINAPI swapBuffersHook(HDC dc)
{
    unsigned char rgba[4] = {};
    glReadPixels(watching->watchedX(), watching->watchedY(), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    const BOOL swapped = realSwapBuffers(dc);
    watching->onFrameFinished(rgba);
    return swapped;
}

} // namespace

bool hookPluginFrames(void* module, GlFrameObserver* observer)
{
    watching = observer;
    // A frame ends at its buffer swap, the way Windows shows it. Under Wine
    // the plug-in would otherwise copy its frames instead (the copy is
    // measured on its own by the editor figures); QARN_PRESENT, when set,
    // still decides.
    if (!std::getenv("QARN_PRESENT"))
        _putenv_s("QARN_PRESENT", "swap");
    const auto plugin = static_cast<HMODULE>(module);
    return redirectImport(plugin, "opengl32.dll", "glClear", clearHook, realClear) &&
        redirectImport(plugin, "gdi32.dll", "SwapBuffers", swapBuffersHook, realSwapBuffers);
}

double frameClockMs()
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
