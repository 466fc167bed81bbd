// GLUT windows on X11: a child window of the host's window with its own GLX
// context, on the backend's own display connection (glut/x11/Connection.h).
//
// Events on our windows are read only when the windows' thread asks: at each
// pump (backendTakeEvents) and while it waits (backendWaitEvents). Nothing
// else reads our connection, and we never read the host's.
//
// The windows never take the keyboard focus: they select no key events, so
// keys go on to the host's window, and they ask the window manager for no
// input should a host ever show one at the top level. Mouse events are not
// selected either and reach the host's window likewise.
#include "glut/GlutBackend.h"

#include <GL/glx.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <chrono>
#include <cstdint>
#include <new>

#include "glut/WindowTable.h"
#include "glut/gl.h"
#include "glut/glut.h"
#include "glut/x11/Connection.h"
#include "glut/x11/WakeChannel.h"

using Clock = std::chrono::steady_clock;

struct NativeWindow {
    Display* display = nullptr;
    Window window = 0;
    Colormap colormap = 0;
    GLXContext context = nullptr;
    WakeChannel* wake = nullptr;
    bool doubleBuffered = false;
    bool backKeepsFrame = false; // the back buffer still holds the frame after a swap
    bool gone = false; // the server destroyed it (with the host's window)
    bool needsPaint = false;
    bool sizeChanged = false;
    int width = 0;
    int height = 0;
    bool wakeDue = false;
    bool timerArmed = false;
    Clock::time_point timerDue{};
};

namespace {

// X11 sizes and places windows in 16 bits.
constexpr int largestSize = 32767;

// The windows that exist, for routing events and waiting on wakes.
NativeWindow* liveWindows[maxGlutWindows] = {};

bool addLive(NativeWindow* window)
{
    for (NativeWindow*& slot : liveWindows) {
        if (slot == nullptr) {
            slot = window;
            return true;
        }
    }
    return false;
}

void removeLive(const NativeWindow* window)
{
    for (NativeWindow*& slot : liveWindows) {
        if (slot == window) {
            slot = nullptr;
        }
    }
}

NativeWindow* liveWindowOf(Window xWindow)
{
    for (NativeWindow* window : liveWindows) {
        if (window != nullptr && window->window == xWindow) {
            return window;
        }
    }
    return nullptr;
}

int configValue(Display* display, GLXFBConfig config, int attribute)
{
    int value = 0;
    glXGetFBConfigAttrib(display, config, attribute, &value);
    return value;
}

// A true-colour window config with exactly 8 bits per colour channel (drivers
// may list deeper ones first), double-buffered and with a depth buffer if the
// display mode asks.
GLXFBConfig chooseConfig(Display* display, int screen, unsigned int displayMode)
{
    const int wanted[] = {
        GLX_X_RENDERABLE,
        True,
        GLX_DRAWABLE_TYPE,
        GLX_WINDOW_BIT,
        GLX_RENDER_TYPE,
        GLX_RGBA_BIT,
        GLX_X_VISUAL_TYPE,
        GLX_TRUE_COLOR,
        GLX_RED_SIZE,
        8,
        GLX_GREEN_SIZE,
        8,
        GLX_BLUE_SIZE,
        8,
        GLX_DOUBLEBUFFER,
        (displayMode & GLUT_DOUBLE) != 0 ? True : False,
        GLX_DEPTH_SIZE,
        (displayMode & GLUT_DEPTH) != 0 ? 16 : 0,
        None,
    };
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, screen, wanted, &count);
    GLXFBConfig chosen = nullptr;
    for (int i = 0; i < count && chosen == nullptr; ++i) {
        if (configValue(display, configs[i], GLX_RED_SIZE) == 8 &&
            configValue(display, configs[i], GLX_GREEN_SIZE) == 8 &&
            configValue(display, configs[i], GLX_BLUE_SIZE) == 8) {
            chosen = configs[i];
        }
    }
    if (configs != nullptr) {
        XFree(configs);
    }
    return chosen;
}

// The child window in the config's visual. The host's window may use another
// visual: naming ours, a colormap for it and a border pixel keeps the
// creation valid under any parent.
bool createXWindow(NativeWindow& window, Window parent, GLXFBConfig config, int x, int y)
{
    Display* display = window.display;
    XVisualInfo* visual = glXGetVisualFromFBConfig(display, config);
    if (visual == nullptr) {
        return false;
    }
    window.colormap = XCreateColormap(display, RootWindow(display, visual->screen), visual->visual, AllocNone);
    XSetWindowAttributes attributes{};
    attributes.colormap = window.colormap;
    attributes.border_pixel = 0;
    attributes.event_mask = ExposureMask | StructureNotifyMask;
    window.window = XCreateWindow(display, parent, x, y, static_cast<unsigned int>(window.width),
        static_cast<unsigned int>(window.height), 0, visual->depth, InputOutput, visual->visual,
        CWColormap | CWBorderPixel | CWEventMask, &attributes);
    XFree(visual);

    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = False;
    XSetWMHints(display, window.window, &hints);
    XMapWindow(display, window.window);
    return !connectionFailed(display);
}

bool createContext(NativeWindow& window, GLXFBConfig config)
{
    window.context = glXCreateNewContext(window.display, config, GLX_RGBA_TYPE, nullptr, True);
    window.doubleBuffered = configValue(window.display, config, GLX_DOUBLEBUFFER) != 0;
    window.backKeepsFrame =
        window.doubleBuffered && configValue(window.display, config, GLX_SWAP_METHOD_OML) != GLX_SWAP_EXCHANGE_OML;
    return window.context != nullptr && glXMakeCurrent(window.display, window.window, window.context) &&
        !connectionFailed(window.display);
}

void noteEvent(const XEvent& event)
{
    NativeWindow* window = liveWindowOf(event.xany.window);
    if (window == nullptr) {
        return;
    }
    switch (event.type) {
    case Expose: window->needsPaint = true; break;
    case ConfigureNotify:
        if (event.xconfigure.width != window->width || event.xconfigure.height != window->height) {
            window->width = event.xconfigure.width;
            window->height = event.xconfigure.height;
            window->sizeChanged = true;
        }
        break;
    case DestroyNotify: window->gone = true; break;
    default: break;
    }
}

// Reads every event the server has sent our connection.
void readEvents(Display* display)
{
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        noteEvent(event);
    }
}

// Milliseconds until the first armed timer is due, 0 if one is, -1 if none.
int msUntilFirstTimer()
{
    int wait = -1;
    const Clock::time_point now = Clock::now();
    for (const NativeWindow* window : liveWindows) {
        if (window != nullptr && window->timerArmed) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(window->timerDue - now).count();
            const int leftMs = left < 0 ? 0 : static_cast<int>(left);
            wait = wait < 0 || leftMs < wait ? leftMs : wait;
        }
    }
    return wait;
}

Display* anyDisplay()
{
    for (const NativeWindow* window : liveWindows) {
        if (window != nullptr) {
            return window->display;
        }
    }
    return nullptr;
}

void pollWindows(Display* display)
{
    pollfd descriptors[1 + maxGlutWindows] = {};
    nfds_t count = 0;
    descriptors[count++] = pollfd{ConnectionNumber(display), POLLIN, 0};
    for (const NativeWindow* window : liveWindows) {
        if (window != nullptr && wakeChannelDescriptor(window->wake) >= 0) {
            descriptors[count++] = pollfd{wakeChannelDescriptor(window->wake), POLLIN, 0};
        }
    }
    poll(descriptors, count, msUntilFirstTimer());
}

// A wake callback may create and destroy windows, so the list is searched
// afresh after each one.
void deliverDueWakes()
{
    for (bool delivered = true; delivered;) {
        delivered = false;
        for (NativeWindow* window : liveWindows) {
            if (window != nullptr && window->wakeDue) {
                window->wakeDue = false;
                deliverWake(window);
                delivered = true;
                break;
            }
        }
    }
}

} // namespace

NativeWindow* backendCreateWindow(void* parent, int x, int y, int width, int height, unsigned int displayMode)
{
    const auto parentWindow = static_cast<Window>(reinterpret_cast<uintptr_t>(parent));
    if (parentWindow == 0 || width > largestSize || height > largestSize || x < -largestSize || x > largestSize ||
        y < -largestSize || y > largestSize) {
        return nullptr;
    }
    Display* display = acquireConnection();
    if (display == nullptr) {
        return nullptr;
    }
    NativeWindow* window = new (std::nothrow) NativeWindow;
    if (window == nullptr) {
        releaseConnection();
        return nullptr;
    }
    window->display = display;
    window->width = width;
    window->height = height;
    const SavedContext before = backendCurrentContext();
    XWindowAttributes parentAttributes{};
    GLXFBConfig config = nullptr;
    if (XGetWindowAttributes(display, parentWindow, &parentAttributes) != 0 && !connectionFailed(display) &&
        (config = chooseConfig(display, XScreenNumberOfScreen(parentAttributes.screen), displayMode)) != nullptr &&
        createXWindow(*window, parentWindow, config, x, y) && createContext(*window, config) &&
        (window->wake = openWakeChannel()) != nullptr && addLive(window)) {
        return window;
    }
    backendDestroyWindow(window);
    backendRestoreContext(before);
    return nullptr;
}

void backendDestroyWindow(NativeWindow* window)
{
    if (window == nullptr) {
        return;
    }
    removeLive(window);
    Display* display = window->display;
    if (window->context != nullptr) {
        if (glXGetCurrentContext() == window->context) {
            glXMakeCurrent(display, None, nullptr);
        }
        glXDestroyContext(display, window->context);
    }
    if (window->window != 0 && !window->gone) {
        XDestroyWindow(display, window->window);
    }
    if (window->colormap != 0) {
        XFreeColormap(display, window->colormap);
    }
    closeWakeChannel(window->wake);
    delete window;
    connectionFailed(display); // errors of a window the host destroyed first end here
    releaseConnection();
}

SavedContext backendCurrentContext()
{
    SavedContext saved;
    saved.display = glXGetCurrentDisplay();
    saved.context = glXGetCurrentContext();
    saved.drawSurface = reinterpret_cast<void*>(static_cast<uintptr_t>(glXGetCurrentDrawable()));
    saved.readSurface = reinterpret_cast<void*>(static_cast<uintptr_t>(glXGetCurrentReadDrawable()));
    return saved;
}

void backendRestoreContext(const SavedContext& saved)
{
    const SavedContext current = backendCurrentContext();
    if (current.context == saved.context && current.drawSurface == saved.drawSurface &&
        current.readSurface == saved.readSurface) {
        return;
    }
    if (saved.context == nullptr) {
        glXMakeCurrent(glXGetCurrentDisplay(), None, nullptr);
        return;
    }
    glXMakeContextCurrent(static_cast<Display*>(saved.display),
        static_cast<GLXDrawable>(reinterpret_cast<uintptr_t>(saved.drawSurface)),
        static_cast<GLXDrawable>(reinterpret_cast<uintptr_t>(saved.readSurface)),
        static_cast<GLXContext>(saved.context));
}

bool backendContextBelongsTo(const SavedContext& saved, const NativeWindow* window)
{
    return window != nullptr && saved.context != nullptr && saved.context == window->context;
}

bool backendMakeCurrent(NativeWindow* window)
{
    if (window->gone) {
        return false;
    }
    if (glXGetCurrentContext() == window->context && glXGetCurrentDrawable() == window->window) {
        return true;
    }
    return glXMakeCurrent(window->display, window->window, window->context) != False;
}

void backendSwapBuffers(NativeWindow* window)
{
    if (window->gone) {
        return;
    }
    if (window->doubleBuffered) {
        glXSwapBuffers(window->display, window->window);
    } else {
        glFlush();
    }
}

WindowEvents backendTakeEvents(NativeWindow* window)
{
    readEvents(window->display);
    WindowEvents events;
    events.needsPaint = window->needsPaint;
    events.sizeChanged = window->sizeChanged;
    events.width = window->width;
    events.height = window->height;
    window->needsPaint = false;
    window->sizeChanged = false;
    return events;
}

void backendRequestSize(NativeWindow* window, int width, int height)
{
    if (window->gone || width > largestSize || height > largestSize) {
        return;
    }
    XResizeWindow(window->display, window->window, static_cast<unsigned int>(width), static_cast<unsigned int>(height));
    // The server's ConfigureNotify is then queued for the next pump.
    connectionFailed(window->display);
}

// Mesa's software drivers copy the back buffer to the window on a swap and
// read the front buffer back black, while the back buffer keeps the frame. A
// driver that exchanges the buffers says so, and then only the front buffer
// holds the frame.
unsigned int backendShownBuffer(const NativeWindow* window)
{
    return window->backKeepsFrame ? GL_BACK : GL_FRONT;
}

void* backendWakeTarget(NativeWindow* window)
{
    return window != nullptr ? window->wake : nullptr;
}

void backendWake(void* target)
{
    wakeChannel(static_cast<WakeChannel*>(target));
}

void backendWakeAfter(NativeWindow* window, int milliseconds)
{
    window->timerArmed = true;
    window->timerDue = Clock::now() + std::chrono::milliseconds(milliseconds);
}

bool backendEventsNeedWaiting()
{
    return true;
}

void backendWaitEvents()
{
    Display* display = anyDisplay();
    if (display == nullptr) {
        return;
    }
    // Events already read into Xlib's queue would not wake the poll.
    if (XPending(display) == 0) {
        pollWindows(display);
    }
    const Clock::time_point now = Clock::now();
    for (NativeWindow* window : liveWindows) {
        if (window == nullptr) {
            continue;
        }
        if (takeChannelWakes(window->wake)) {
            window->wakeDue = true;
        }
        if (window->timerArmed && window->timerDue <= now) {
            window->timerArmed = false;
            window->wakeDue = true;
        }
    }
    deliverDueWakes();
}
