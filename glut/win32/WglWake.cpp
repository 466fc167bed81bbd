#include "glut/win32/WglWake.h"

#include "glut/GlutBackend.h"

#include <atomic>

namespace {

constexpr UINT_PTR wakeTimer = 0x51A7;

// A message number of our own: any other window that a stale handle might
// reach by now ignores it.
std::atomic<UINT> wakeMessage{0};

UINT registeredWakeMessage()
{
    UINT message = wakeMessage.load(std::memory_order_acquire);
    if (message == 0) {
        message = RegisterWindowMessageW(L"QarnGlutWake");
        wakeMessage.store(message, std::memory_order_release);
    }
    return message;
}

} // namespace

// The target is the window's handle. The message is registered before the
// first target is handed out, so other threads find its number already set.
void* wakeTargetOf(HWND hwnd)
{
    if (hwnd == nullptr || registeredWakeMessage() == 0) {
        return nullptr;
    }
    return hwnd;
}

void backendWake(void* target)
{
    PostMessageW(static_cast<HWND>(target), wakeMessage.load(std::memory_order_acquire), 0, 0);
}

void wakeAfter(HWND hwnd, int milliseconds)
{
    SetTimer(hwnd, wakeTimer, static_cast<UINT>(milliseconds), nullptr);
}

bool handleWakeMessage(HWND hwnd, NativeWindow* window, UINT message, WPARAM wParam)
{
    if (message == WM_TIMER && wParam == wakeTimer) {
        KillTimer(hwnd, wakeTimer); // one-shot
    } else if (message == 0 || message != wakeMessage.load(std::memory_order_acquire)) {
        return false;
    }
    deliverWake(window);
    return true;
}

// The host's message loop delivers everything to our windows.
bool backendEventsNeedWaiting()
{
    return false;
}

void backendWaitEvents()
{
}
