// The host's window on Windows: a top-level window of ours whose HWND the
// editor gets as its parent, a mouse hook that sees presses made by hand,
// and captures of the screen.
#include "host/engine/HostWindow.h"

#include "host/win32/ConsoleInterrupt.h"
#include "host/win32/PanelPressWatch.h"
#include "host/win32/TopLevelWindow.h"
#include "host/win32/WindowCapture.h"

struct HostWindow::Native {
    TopLevelWindow window;
    PanelPressWatch handPresses;
    WindowCapture screen;
    std::function<void(int, int)> onPanelPress;

    // The panel is the editor's window at the corner of our client area.
    void followPress(HWND topChild, int x, int y)
    {
        RECT placed{};
        if (!onPanelPress || !topChild || !GetWindowRect(topChild, &placed))
            return;
        MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&placed), 2);
        if (placed.left == 0 && placed.top == 0)
            onPanelPress(x, y);
    }
};

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
    if (!n.window.create(title, clientWidth, clientHeight, error))
        return false;
    closeOnInterrupt(n.window.handle());
    // Without the watch only scripted presses would be followed.
    n.handPresses.start(n.window.handle(), [&n](int x, int y) {
        const POINT point{x, y};
        n.followPress(ChildWindowFromPointEx(n.window.handle(), point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT), x, y);
    });
    return true;
}

void HostWindow::destroy()
{
    closeOnInterrupt(nullptr);
    native->handPresses.stop();
    native->window.destroy();
}

bool HostWindow::isOpen() const
{
    return native->window.isOpen();
}

void* HostWindow::editorParent() const
{
    return native->window.handle();
}

void HostWindow::setClientSize(int width, int height)
{
    native->window.setClientSize(width, height);
}

void HostWindow::clientSize(int& width, int& height) const
{
    native->window.clientSize(width, height);
}

void HostWindow::growToChildren()
{
    native->window.growToChildren();
}

void HostWindow::startIdleTimer(std::function<void()> idle)
{
    native->window.startIdleTimer(std::move(idle));
}

void HostWindow::setIdleInterval(unsigned milliseconds)
{
    native->window.setIdleInterval(milliseconds);
}

void HostWindow::stopIdleTimer()
{
    native->window.stopIdleTimer();
}

void HostWindow::setCloseHandler(std::function<void()> handler)
{
    native->window.setCloseHandler(std::move(handler));
}

void HostWindow::setPanelPressHandler(std::function<void(int x, int y)> handler)
{
    native->onPanelPress = std::move(handler);
}

bool HostWindow::pumpMessages()
{
    return native->window.pumpMessages();
}

bool HostWindow::runFor(int milliseconds)
{
    return native->window.runFor(milliseconds);
}

bool HostWindow::press(int x, int y, bool rightButton)
{
    HWND host = native->window.handle();
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
    return native->screen.capture(native->window.handle(), image, error);
}
