// The X11 side of EditorFrame: its child window inside the host's window, on
// a display connection of the frame's own, and the pump that turns exposures
// and mouse-button presses into calls on the frame at every editor idle (no
// host message loop delivers our events on Linux). Keys belong to the host:
// the window never asks for key events, so they go on to the host's window,
// and it never takes the input focus.
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdint>
#include <new>

#include "gui/EditorFrame.h"
#include "gui/GraphicsContext.h"
#include "gui/x11/ErrorTrap.h"
#include "gui/x11/FrameSurface.h"

namespace {

FrameSurface* surfaceOf(void* window)
{
    return static_cast<FrameSurface*>(window);
}

// The surface's server-side resources; the window itself only when
// `destroyWindow` (a window the host destroyed is gone already).
void releaseSurface(FrameSurface* surface, bool destroyWindow)
{
    {
        ErrorTrap trap(surface->display);
        if (surface->draw) {
            XftDrawDestroy(surface->draw);
        }
        if (surface->gc) {
            XFreeGC(surface->display, surface->gc);
        }
        if (destroyWindow && surface->window) {
            XDestroyWindow(surface->display, surface->window);
        }
    }
    XCloseDisplay(surface->display);
    delete surface;
}

} // namespace

struct FrameWindowEvents {
    static void handle(EditorFrame* frame, const XEvent& event);
};

void EditorFrame::createWindow()
{
    if (!parentWindow) {
        return;
    }
    FrameSurface* surface = new (std::nothrow) FrameSurface;
    if (!surface) {
        return;
    }
    surface->display = XOpenDisplay(nullptr);
    if (!surface->display) {
        delete surface;
        return;
    }
    Display* display = surface->display;
    const int screen = DefaultScreen(display);
    surface->visual = DefaultVisual(display, screen);
    surface->depth = DefaultDepth(display, screen);
    surface->colormap = DefaultColormap(display, screen);

    // The host's window may use another visual: naming ours, its colormap and
    // a border pixel keeps the creation valid under any parent.
    XSetWindowAttributes attributes{};
    attributes.event_mask = ExposureMask | ButtonPressMask | StructureNotifyMask;
    attributes.colormap = surface->colormap;
    attributes.border_pixel = 0;
    attributes.background_pixel = BlackPixel(display, screen);
    const auto parent = static_cast<Window>(reinterpret_cast<uintptr_t>(parentWindow));
    bool failed = false;
    {
        ErrorTrap trap(display);
        surface->window = XCreateWindow(display, parent, 0, 0, static_cast<unsigned int>(std::max(rect.width(), 1)),
            static_cast<unsigned int>(std::max(rect.height(), 1)), 0, surface->depth, InputOutput, surface->visual,
            CWEventMask | CWColormap | CWBorderPixel | CWBackPixel, &attributes);
        if (!trap.failed()) {
            surface->gc = XCreateGC(display, surface->window, 0, nullptr);
            surface->draw = XftDrawCreate(display, surface->window, surface->visual, surface->colormap);
            XMapWindow(display, surface->window);
        }
        failed = trap.failed() || !surface->gc || !surface->draw;
    }
    if (failed) {
        releaseSurface(surface, true);
        return;
    }
    window = surface;
}

void EditorFrame::destroyWindow()
{
    if (window) {
        FrameSurface* surface = surfaceOf(window);
        window = nullptr;
        releaseSurface(surface, true);
    }
}

void EditorFrame::windowDestroyed()
{
    isOpen = false;
    parentWindow = nullptr;
    if (window) {
        FrameSurface* surface = surfaceOf(window);
        window = nullptr;
        releaseSurface(surface, false);
    }
}

void EditorFrame::withWindowContext(void (*action)(void* data, GraphicsContext* context), void* data)
{
    if (!window || !isOpen) {
        return;
    }
    FrameSurface* surface = surfaceOf(window);
    ErrorTrap trap(surface->display);
    {
        GraphicsContext context(this, surface, surface);
        action(data, &context);
    }
    XFlush(surface->display);
}

void EditorFrame::pumpEvents()
{
    if (!window) {
        return;
    }
    Display* display = surfaceOf(window)->display;
    bool destroyed = false;
    {
        ErrorTrap trap(display);
        // One look at the queue: events that arrive while these are handled
        // wait for the next idle, so a busy server cannot hold the host here.
        for (int pending = XPending(display); pending > 0 && !destroyed; --pending) {
            XEvent event;
            XNextEvent(display, &event);
            destroyed = event.type == DestroyNotify && event.xdestroywindow.window == surfaceOf(window)->window;
            if (!destroyed) {
                FrameWindowEvents::handle(this, event);
            }
        }
    }
    // The connection closes with the window, so only after the trap is done with it.
    if (destroyed) {
        windowDestroyed();
    }
}

void EditorFrame::raiseWindow()
{
    if (window) {
        FrameSurface* surface = surfaceOf(window);
        ErrorTrap trap(surface->display);
        XRaiseWindow(surface->display, surface->window);
    }
}

void FrameWindowEvents::handle(EditorFrame* frame, const XEvent& event)
{
    FrameSurface* surface = surfaceOf(frame->window);
    if (event.xany.window != surface->window) {
        return;
    }
    if (event.type == Expose && event.xexpose.count == 0) {
        GraphicsContext context(frame, surface, surface);
        frame->draw(&context);
    } else if (event.type == ButtonPress && (event.xbutton.button == Button1 || event.xbutton.button == Button3)) {
        // The left and the right button, as on Windows; the middle button and
        // the wheel (buttons 4 to 7) do nothing.
        GraphicsContext context(frame, surface, surface);
        frame->onMouseDown(&context, Point(event.xbutton.x, event.xbutton.y));
    }
    XFlush(surface->display);
}
