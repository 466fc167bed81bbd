#include "host/win32/ConsoleInterrupt.h"

#include <atomic>

namespace {

std::atomic<HWND> interruptTarget{nullptr};

BOOL WINAPI onConsoleEvent(DWORD event)
{
    const HWND target = interruptTarget.load();
    if (!target || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        return FALSE;
    PostMessageA(target, WM_CLOSE, 0, 0);
    return TRUE;
}

} // namespace

void closeOnInterrupt(HWND window)
{
    static bool installed = false;
    if (!installed)
        installed = SetConsoleCtrlHandler(onConsoleEvent, TRUE) != 0;
    interruptTarget.store(window);
}
