#include "host/win32/TopLevelWindow.h"

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

TopLevelWindow::~TopLevelWindow()
{
    destroy();
}

bool TopLevelWindow::create(const std::string& title, int clientWidth, int clientHeight, std::string& error)
{
    if (!registerWindowClass(windowProc)) {
        error = "cannot register the host's window class";
        return false;
    }
    const SIZE size = outerSize(clientWidth, clientHeight);
    // A fixed spot near the screen's corner: captures copy the screen, so the
    // whole window must be on it.
    window = CreateWindowExA(0, windowClassName, title.c_str(), windowStyle, 20, 20, size.cx, size.cy, nullptr, nullptr,
        GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        error = "cannot create the host's window (Windows error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return true;
}

void TopLevelWindow::destroy()
{
    if (window) {
        stopIdleTimer();
        HWND closing = window;
        DestroyWindow(closing);
        window = nullptr;
    }
}

void TopLevelWindow::setClientSize(int width, int height)
{
    if (!window)
        return;
    const SIZE size = outerSize(width, height);
    SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TopLevelWindow::clientSize(int& width, int& height) const
{
    RECT rect{};
    if (window)
        GetClientRect(window, &rect);
    width = rect.right;
    height = rect.bottom;
}

void TopLevelWindow::growToChildren()
{
    if (!window)
        return;
    int width = 0;
    int height = 0;
    clientSize(width, height);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        width = std::max<int>(width, rect.right);
        height = std::max<int>(height, rect.bottom);
    }
    int currentWidth = 0;
    int currentHeight = 0;
    clientSize(currentWidth, currentHeight);
    if (width != currentWidth || height != currentHeight)
        setClientSize(width, height);
}

void TopLevelWindow::startIdleTimer(std::function<void()> idle)
{
    onIdle = std::move(idle);
    if (window)
        SetTimer(window, idleTimer, idleInterval, nullptr);
}

void TopLevelWindow::setIdleInterval(unsigned milliseconds)
{
    idleInterval = milliseconds;
    if (window && onIdle)
        SetTimer(window, idleTimer, idleInterval, nullptr);
}

void TopLevelWindow::stopIdleTimer()
{
    if (window)
        KillTimer(window, idleTimer);
    onIdle = nullptr;
}

bool TopLevelWindow::pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return isOpen();
}

bool TopLevelWindow::runFor(int milliseconds)
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

LRESULT CALLBACK TopLevelWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TopLevelWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) {
        switch (message) {
        case WM_TIMER:
            if (wParam == idleTimer && self->onIdle)
                self->onIdle();
            return 0;
        case WM_CLOSE:
            if (self->onClose)
                self->onClose();
            self->destroy();
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
