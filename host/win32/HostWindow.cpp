// The host's window on Windows: a top-level window of ours whose HWND the
// editor gets as its parent, with a timer for the editor's idle and a
// message loop for everything else its windows need; a mouse hook that sees
// presses made by hand, and captures of the screen.
#include "host/engine/HostWindow.h"

#include "host/win32/ConsoleInterrupt.h"
#include "host/win32/PanelPressWatch.h"
#include "host/win32/WindowCapture.h"

#include <windows.h>

#include <algorithm>

namespace {

const char windowClassName[] = "QarnHostWindow";
constexpr UINT_PTR idleTimer = 1;
constexpr int largestSide = 4096;

constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

bool registerWindowClass(WNDPROC procedure)
{
    WNDCLASSA windowClass{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), windowClassName, &windowClass))
        return true;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = windowClassName;
    return RegisterClassA(&windowClass) != 0;
}

// The outer size of a window whose client area has this size.
SIZE outerSize(int clientWidth, int clientHeight)
{
    RECT rect{0, 0, std::clamp(clientWidth, 1, largestSide), std::clamp(clientHeight, 1, largestSide)};
    AdjustWindowRectEx(&rect, windowStyle, FALSE, 0);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

struct HostWindow::Native {
    HWND window = nullptr;
    unsigned idleInterval = 33; // milliseconds: about 30 editor idles a second
    std::function<void()> onIdle;
    std::function<void()> onClose;
    std::function<void(int, int)> onPanelPress;
    PanelPressWatch handPresses;
    WindowCapture screen;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void destroyWindow()
    {
        if (window) {
            KillTimer(window, idleTimer);
            onIdle = nullptr;
            HWND closing = window;
            DestroyWindow(closing);
            window = nullptr;
        }
    }

    // The panel is the editor's window at the corner of our client area.
    void followPress(HWND topChild, int x, int y)
    {
        RECT placed{};
        if (!onPanelPress || !topChild || !GetWindowRect(topChild, &placed))
            return;
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&placed), 2);
        if (placed.left == 0 && placed.top == 0)
            onPanelPress(x, y);
    }
};

LRESULT CALLBACK HostWindow::Native::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<Native*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) {
        switch (message) {
        case WM_TIMER:
            if (wParam == idleTimer && self->onIdle)
                self->onIdle();
            return 0;
        case WM_CLOSE:
            if (self->onClose)
                self->onClose();
            self->destroyWindow();
            return 0;
        case WM_DESTROY:
            // Whoever destroyed it, the window is gone from here on.
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            self->window = nullptr;
            PostQuitMessage(0);
            return 0;
        default: break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HostWindow::HostWindow()
    : native(std::make_unique<Native>())
{
}

HostWindow::~HostWindow()
{
    destroy();
}

bool HostWindow::create(const std::string& title, int clientWidth, int clientHeight, std::string& error)
{
    Native& n = *native;
    if (!registerWindowClass(Native::windowProc)) {
        error = "cannot register the host's window class";
        return false;
    }
    const SIZE size = outerSize(clientWidth, clientHeight);
    // A fixed spot near the screen's corner: captures copy the screen, so the
    // whole window must be on it.
    n.window = CreateWindowExA(0, windowClassName, title.c_str(), windowStyle, 20, 20, size.cx, size.cy, nullptr,
        nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!n.window) {
        error = "cannot create the host's window (Windows error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    SetWindowLongPtrA(n.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&n));
    ShowWindow(n.window, SW_SHOWNORMAL);
    UpdateWindow(n.window);
    closeOnInterrupt(n.window);
    // Without the watch only scripted presses would be followed.
    n.handPresses.start(n.window, [&n](int x, int y) {
        const POINT point{x, y};
        n.followPress(ChildWindowFromPointEx(n.window, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT), x, y);
    });
    return true;
}

void HostWindow::destroy()
{
    closeOnInterrupt(nullptr);
    native->handPresses.stop();
    native->destroyWindow();
}

bool HostWindow::isOpen() const
{
    return native->window != nullptr;
}

void* HostWindow::editorParent() const
{
    return native->window;
}

void HostWindow::setClientSize(int width, int height)
{
    if (!native->window)
        return;
    const SIZE size = outerSize(width, height);
    SetWindowPos(native->window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HostWindow::clientSize(int& width, int& height) const
{
    RECT rect{};
    if (native->window)
        GetClientRect(native->window, &rect);
    width = rect.right;
    height = rect.bottom;
}

void HostWindow::growToChildren()
{
    HWND window = native->window;
    if (!window)
        return;
    int width = 0;
    int height = 0;
    clientSize(width, height);
    const int currentWidth = width;
    const int currentHeight = height;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        width = std::max<int>(width, rect.right);
        height = std::max<int>(height, rect.bottom);
    }
    if (width != currentWidth || height != currentHeight)
        setClientSize(width, height);
}

void HostWindow::startIdleTimer(std::function<void()> idle)
{
    native->onIdle = std::move(idle);
    if (native->window)
        SetTimer(native->window, idleTimer, native->idleInterval, nullptr);
}

void HostWindow::setIdleInterval(unsigned milliseconds)
{
    native->idleInterval = milliseconds;
    // A running timer is re-armed.
    if (native->window && native->onIdle)
        SetTimer(native->window, idleTimer, native->idleInterval, nullptr);
}

void HostWindow::stopIdleTimer()
{
    if (native->window)
        KillTimer(native->window, idleTimer);
    native->onIdle = nullptr;
}

void HostWindow::setCloseHandler(std::function<void()> handler)
{
    native->onClose = std::move(handler);
}

void HostWindow::setPanelPressHandler(std::function<void(int x, int y)> handler)
{
    native->onPanelPress = std::move(handler);
}

bool HostWindow::watchDescriptor(int, unsigned, std::function<void(unsigned)>)
{
    return false;
}

void HostWindow::stopWatching(int)
{
}

bool HostWindow::watchesDescriptors()
{
    return false;
}

bool HostWindow::pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return isOpen();
}

bool HostWindow::runFor(int milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (!pumpMessages())
            return false;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= static_cast<DWORD>(milliseconds))
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(milliseconds) - elapsed, QS_ALLINPUT);
    }
}

bool HostWindow::press(int x, int y, bool rightButton)
{
    HWND host = native->window;
    if (!host)
        return false;
    POINT point{x, y};
    HWND target = host;
    HWND topChild = nullptr;
    for (;;) {
        HWND child = ChildWindowFromPointEx(target, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == target)
            break;
        MapWindowPoints(target, child, &point, 1);
        if (target == host)
            topChild = child;
        target = child;
    }
    if (target == host)
        return false;

    // Sent straight to the window, so the hand-press hook does not see it too.
    const LPARAM where = MAKELPARAM(point.x, point.y);
    SendMessageA(target, rightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, rightButton ? MK_RBUTTON : MK_LBUTTON, where);
    SendMessageA(target, rightButton ? WM_RBUTTONUP : WM_LBUTTONUP, 0, where);
    native->followPress(topChild, x, y);
    return true;
}

bool HostWindow::pressesWaitForIdle()
{
    return false;
}

bool HostWindow::capture(RgbImage& image, std::string& error, double)
{
    // The view draws at the idle, on this thread: it is done already.
    return native->screen.capture(native->window, image, error);
}
