// The portable half of wake-ups: which callback a wake runs, and with which
// window current.
#include "glut/glut.h"

#include "glut/CurrentWindow.h"
#include "glut/GlutBackend.h"
#include "glut/WindowTable.h"

void deliverWake(NativeWindow* native)
{
    for (int i = 0; i < maxGlutWindows; ++i) {
        const GlutWindow& window = windowSlot(i);
        if (window.id != 0 && window.native == native) {
            if (window.wake != nullptr) {
                runAsCurrentWindow(window.id, window.wake);
            }
            return;
        }
    }
}

extern "C" {

void glutQarnWakeFunc(void (*func)(void))
{
    if (GlutWindow* window = findWindow(layerCurrentWindow())) {
        window->wake = func;
    }
}

void* glutQarnWakeTarget(int win)
{
    GlutWindow* window = findWindow(win);
    return window != nullptr ? backendWakeTarget(window->native) : nullptr;
}

void glutQarnWake(void* target)
{
    if (target != nullptr) {
        backendWake(target);
    }
}

void glutQarnWakeAfter(int milliseconds)
{
    if (GlutWindow* window = findWindow(layerCurrentWindow())) {
        backendWakeAfter(window->native, milliseconds < 1 ? 1 : milliseconds);
    }
}

int glutQarnEventsNeedWaiting(void)
{
    return backendEventsNeedWaiting() ? 1 : 0;
}

void glutQarnWaitEvents(void)
{
    if (!layerIsPumping()) {
        backendWaitEvents();
    }
}

} // extern "C"
