// The host's window on X11: a top-level window on a display connection of
// the host's own, whose id the editor gets as its parent. The editor draws
// into it from connections of its own (the panel's, and the 3-D view's on
// the view's thread), so everything the host knows of the editor's windows
// it learns from the server: the window tree, the screen's pixels and the
// pointer's presses.
#include "host/engine/HostWindow.h"

#include "host/linux/HandPresses.h"
#include "host/linux/ScreenCapture.h"
#include "host/linux/TerminalInterrupt.h"
#include "host/linux/ViewActivity.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int largestSide = 4096;
// A fixed spot near the screen's corner: captures read the screen, so the
// whole window must be on it.
constexpr int windowLeft = 20;
constexpr int windowTop = 20;

// The host's connection answers X errors itself: Xlib's default handler
// ends the process, and a window the editor destroyed under our feet is
// no reason to.
int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

// The top-level child of `parent` holding the point, and the point in the
// deepest window there; 0 when the point is on `parent` itself.
Window childAt(Display* display, Window parent, int x, int y, Window& deepest, int& deepestX, int& deepestY)
{
    Window topChild = 0;
    Window from = parent;
    int fromX = x;
    int fromY = y;
    for (;;) {
        // Translating into the same window answers the mapped child holding the point.
        Window child = 0;
        int childX = 0;
        int childY = 0;
        if (!XTranslateCoordinates(display, from, from, fromX, fromY, &childX, &childY, &child) || child == 0)
            break;
        Window inner = 0;
        XTranslateCoordinates(display, from, child, fromX, fromY, &childX, &childY, &inner);
        if (from == parent)
            topChild = child;
        from = child;
        fromX = childX;
        fromY = childY;
    }
    deepest = from;
    deepestX = fromX;
    deepestY = fromY;
    return topChild;
}

} // namespace

struct HostWindow::Native {
    Display* display = nullptr;
    Window window = 0;
    Atom deleteWindow = 0;
    unsigned idleInterval = 33; // milliseconds: about 30 editor idles a second
    Clock::time_point nextTick;
    std::function<void()> onIdle;
    std::function<void()> onClose;
    std::function<void(int, int)> onPanelPress;
    HandPresses handPresses;

    struct Watch {
        int descriptor;
        unsigned events;
        std::function<void(unsigned)> ready;
    };
    std::vector<Watch> watches;
    // The poll list: the display's connection first, then each watch.
    std::vector<pollfd> polled;

    bool isOpen() const { return window != 0; }

    // Whether a top-level child placed at the client area's corner holds the
    // point: that is the editor's panel.
    bool onPanel(Window topChild)
    {
        XWindowAttributes attributes{};
        return topChild && XGetWindowAttributes(display, topChild, &attributes) && attributes.x == 0 &&
            attributes.y == 0;
    }

    void followPress(int x, int y)
    {
        Window deepest = 0;
        int deepestX = 0;
        int deepestY = 0;
        if (onPanelPress && onPanel(childAt(display, window, x, y, deepest, deepestX, deepestY)))
            onPanelPress(x, y);
    }

    void handle(XEvent& event)
    {
        if (event.type == ClientMessage && event.xclient.window == window &&
            static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow)
            close();
        else if (event.type == DestroyNotify && event.xdestroywindow.window == window)
            window = 0;
        int x = 0;
        int y = 0;
        if (window && handPresses.take(event, window, x, y))
            followPress(x, y);
    }

    void close()
    {
        if (onClose)
            onClose();
        destroy();
    }

    void destroy()
    {
        onIdle = nullptr;
        if (window) {
            XDestroyWindow(display, window);
            XSync(display, False);
            window = 0;
        }
    }

    void runDueTick()
    {
        if (!onIdle || Clock::now() < nextTick)
            return;
        nextTick = Clock::now() + std::chrono::milliseconds(idleInterval);
        onIdle();
    }

    // Waits up to `milliseconds` (0: not at all) for the display or a
    // watched descriptor, then runs the watches that are ready. A watch
    // may stop itself or others while it runs, so each is looked up again.
    void pollDescriptors(int milliseconds)
    {
        polled.assign(1, pollfd{ConnectionNumber(display), POLLIN, 0});
        for (const Watch& watch : watches) {
            const short events = static_cast<short>(
                ((watch.events & DescriptorRead) ? POLLIN : 0) | ((watch.events & DescriptorWrite) ? POLLOUT : 0));
            polled.push_back(pollfd{watch.descriptor, events, 0});
        }
        // A signal (Ctrl+C) cuts the wait short; the next pump sees it.
        if (poll(polled.data(), polled.size(), milliseconds) <= 0)
            return;
        for (size_t i = 1; i < polled.size(); ++i) {
            const short seen = polled[i].revents;
            const unsigned events = ((seen & POLLIN) ? DescriptorRead : 0u) |
                ((seen & POLLOUT) ? DescriptorWrite : 0u) |
                ((seen & (POLLERR | POLLHUP | POLLNVAL)) ? DescriptorError : 0u);
            if (events == 0)
                continue;
            for (const Watch& watch : watches) {
                if (watch.descriptor == polled[i].fd) {
                    const std::function<void(unsigned)> ready = watch.ready;
                    ready(events);
                    break;
                }
            }
        }
    }

    bool pump()
    {
        if (interruptRequested())
            close();
        if (display && !watches.empty())
            pollDescriptors(0);
        while (display && window && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            handle(event);
        }
        if (window)
            runDueTick();
        return isOpen();
    }
};

HostWindow::HostWindow()
    : native(std::make_unique<Native>())
{
}

HostWindow::~HostWindow()
{
    destroy();
    if (native->display)
        XCloseDisplay(native->display);
}

bool HostWindow::create(const std::string& title, int clientWidth, int clientHeight, std::string& error)
{
    Native& n = *native;
    if (!n.display) {
        n.display = XOpenDisplay(nullptr);
        if (!n.display) {
            error = "cannot open the X display (is DISPLAY set?)";
            return false;
        }
        XSetErrorHandler(ignoreXError);
    }
    Display* display = n.display;
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = 0x808080;
    attributes.event_mask = StructureNotifyMask;
    n.window = XCreateWindow(display, RootWindow(display, screen), windowLeft, windowTop,
        static_cast<unsigned>(std::clamp(clientWidth, 1, largestSide)),
        static_cast<unsigned>(std::clamp(clientHeight, 1, largestSide)), 0, CopyFromParent, InputOutput, CopyFromParent,
        CWBackPixel | CWEventMask, &attributes);
    if (!n.window) {
        error = "cannot create the host's window";
        return false;
    }
    XStoreName(display, n.window, title.c_str());
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, n.window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
        reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
    n.deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, n.window, &n.deleteWindow, 1);
    // Asked for the place given, as a program that positions itself does.
    XSizeHints hints{};
    hints.flags = USPosition | PPosition;
    hints.x = windowLeft;
    hints.y = windowTop;
    XSetWMNormalHints(display, n.window, &hints);
    XMapRaised(display, n.window);
    XSync(display, False);
    n.handPresses.start(display);
    watchTerminalInterrupt(true);
    return true;
}

void HostWindow::destroy()
{
    watchTerminalInterrupt(false);
    native->destroy();
}

bool HostWindow::isOpen() const
{
    return native->isOpen();
}

void* HostWindow::editorParent() const
{
    return reinterpret_cast<void*>(native->window);
}

void HostWindow::setClientSize(int width, int height)
{
    if (!native->window)
        return;
    XResizeWindow(native->display, native->window, static_cast<unsigned>(std::clamp(width, 1, largestSide)),
        static_cast<unsigned>(std::clamp(height, 1, largestSide)));
    XSync(native->display, False);
}

void HostWindow::clientSize(int& width, int& height) const
{
    XWindowAttributes attributes{};
    if (native->window)
        XGetWindowAttributes(native->display, native->window, &attributes);
    width = attributes.width;
    height = attributes.height;
}

void HostWindow::growToChildren()
{
    Native& n = *native;
    if (!n.window)
        return;
    int width = 0;
    int height = 0;
    clientSize(width, height);
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(n.display, n.window, &root, &parent, &children, &count))
        return;
    int grownWidth = width;
    int grownHeight = height;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(n.display, children[i], &attributes) && attributes.map_state != IsUnmapped) {
            grownWidth = std::max(grownWidth, attributes.x + attributes.width);
            grownHeight = std::max(grownHeight, attributes.y + attributes.height);
        }
    }
    if (children)
        XFree(children);
    if (grownWidth != width || grownHeight != height)
        setClientSize(grownWidth, grownHeight);
}

void HostWindow::startIdleTimer(std::function<void()> idle)
{
    native->onIdle = std::move(idle);
    native->nextTick = Clock::now() + std::chrono::milliseconds(native->idleInterval);
}

void HostWindow::setIdleInterval(unsigned milliseconds)
{
    native->idleInterval = std::max(milliseconds, 1u);
    native->nextTick = Clock::now() + std::chrono::milliseconds(native->idleInterval);
}

void HostWindow::stopIdleTimer()
{
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

bool HostWindow::watchDescriptor(int descriptor, unsigned events, std::function<void(unsigned)> ready)
{
    stopWatching(descriptor);
    native->watches.push_back(Native::Watch{descriptor, events, std::move(ready)});
    return true;
}

void HostWindow::stopWatching(int descriptor)
{
    std::vector<Native::Watch>& watches = native->watches;
    watches.erase(std::remove_if(watches.begin(), watches.end(),
                      [descriptor](const Native::Watch& watch) { return watch.descriptor == descriptor; }),
        watches.end());
}

bool HostWindow::watchesDescriptors()
{
    return true;
}

bool HostWindow::pumpMessages()
{
    return native->pump();
}

bool HostWindow::runFor(int milliseconds)
{
    Native& n = *native;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
    for (;;) {
        if (!n.pump())
            return false;
        const Clock::time_point now = Clock::now();
        if (now >= end)
            return true;
        Clock::time_point wake = end;
        if (n.onIdle)
            wake = std::min(wake, n.nextTick);
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(wake - now).count();
        n.pollDescriptors(static_cast<int>(std::max<long long>(wait, 0)));
    }
}

bool HostWindow::press(int x, int y, bool rightButton)
{
    Native& n = *native;
    if (!n.window)
        return false;
    Window deepest = 0;
    int deepestX = 0;
    int deepestY = 0;
    const Window topChild = childAt(n.display, n.window, x, y, deepest, deepestX, deepestY);
    if (!topChild)
        return false;
    // Sent to the window under the point, as the server would deliver a
    // click there; the editor reads it from its own connection at its next idle.
    XEvent event{};
    event.xbutton.display = n.display;
    event.xbutton.window = deepest;
    event.xbutton.root = DefaultRootWindow(n.display);
    event.xbutton.subwindow = 0;
    event.xbutton.time = CurrentTime;
    event.xbutton.x = deepestX;
    event.xbutton.y = deepestY;
    event.xbutton.x_root = 0;
    event.xbutton.y_root = 0;
    event.xbutton.same_screen = True;
    event.xbutton.button = rightButton ? Button3 : Button1;
    event.type = ButtonPress;
    XSendEvent(n.display, deepest, True, ButtonPressMask, &event);
    event.type = ButtonRelease;
    event.xbutton.state = rightButton ? Button3Mask : Button1Mask;
    XSendEvent(n.display, deepest, True, ButtonReleaseMask, &event);
    XSync(n.display, False);
    if (n.onPanelPress && n.onPanel(topChild))
        n.onPanelPress(x, y);
    return true;
}

bool HostWindow::pressesWaitForIdle()
{
    return true;
}

bool HostWindow::capture(RgbImage& image, std::string& error, double changedMs)
{
    Native& n = *native;
    if (!n.window) {
        error = "the window was closed";
        return false;
    }
    XRaiseWindow(n.display, n.window);
    waitForView(changedMs);
    int width = 0;
    int height = 0;
    clientSize(width, height);
    return captureWindow(n.display, n.window, width, height, image, error);
}
