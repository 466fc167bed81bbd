#include "host/win32/PanelPressWatch.h"

namespace {
PanelPressWatch* watching = nullptr;
} // namespace

PanelPressWatch::~PanelPressWatch()
{
    stop();
}

bool PanelPressWatch::start(HWND newHost, Handler newHandler)
{
    stop();
    hook = SetWindowsHookExA(WH_MOUSE, onMouse, nullptr, GetCurrentThreadId());
    if (!hook)
        return false;
    host = newHost;
    handler = std::move(newHandler);
    watching = this;
    return true;
}

void PanelPressWatch::stop()
{
    if (!hook)
        return;
    UnhookWindowsHookEx(hook);
    hook = nullptr;
    host = nullptr;
    handler = nullptr;
    if (watching == this)
        watching = nullptr;
}

LRESULT CALLBACK PanelPressWatch::onMouse(int code, WPARAM message, LPARAM details)
{
    PanelPressWatch* self = watching;
    if (code == HC_ACTION && self && (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)) {
        const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(details);
        if (mouse && IsChild(self->host, mouse->hwnd)) {
            POINT point = mouse->pt;
            ScreenToClient(self->host, &point);
            self->handler(point.x, point.y);
        }
    }
    return CallNextHookEx(nullptr, code, message, details);
}
