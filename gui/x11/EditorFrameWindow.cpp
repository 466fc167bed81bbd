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
#include "gui/x11/ConnectionErrors.h"
#include "gui/x11/FrameSurface.h"

namespace {

FrameSurface* surfaceOf(void* window)
{
    return static_cast<FrameSurface*>(window);
}

// The surface's server-side resources; the window itself only when
// `destroyWindow` (a window the host destroyed is gone already). Closing
// waits for the server's last answers, errors included: they are still ours
// to swallow, so the connection's errors are released only afterwards.
void releaseSurface(FrameSurface* surface, bool destroyWindow)
{
    Display* display = surface->display;
    if (surface->draw) {
        XftDrawDestroy(surface->draw);
    }
    if (surface->gc) {
        XFreeGC(display, surface->gc);
    }
    if (destroyWindow && surface->window) {
        XDestroyWindow(display, surface->window);
    }
    XCloseDisplay(display);
    releaseFrameConnectionErrors(display);
    delete surface;
}

// Xft keeps closed fonts in a cache per connection and frees what is left
// there only while the connection closes, after Xrender has already let go of
// its records of the connection: Xrender then makes a new record for a
// connection about to be freed, and a later connection at the same address
// inherits it, with requests the server cannot parse. A cache of no fonts
// leaves nothing to free at the close. The frame's texts use one font, so
// nothing is lost by opening it for each drawing.
void keepNoClosedFonts(Display* display)
{
    FcPattern* settings = FcPatternCreate();
    if (!settings) {
        return;
    }
    FcPatternAddInteger(settings, XFT_MAX_UNREF_FONTS, 0);
    if (!XftDefaultSet(display, settings)) {
        FcPatternDestroy(settings);
    }
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
    if (surface->display && !adoptFrameConnectionErrors(surface->display)) {
        XCloseDisplay(surface->display);
        surface->display = nullptr;
    }
    if (!surface->display) {
        delete surface;
        return;
    }
    Display* display = surface->display;
    keepNoClosedFonts(display);
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
    surface->window = XCreateWindow(display, parent, 0, 0, static_cast<unsigned int>(std::max(rect.width(), 1)),
        static_cast<unsigned int>(std::max(rect.height(), 1)), 0, surface->depth, InputOutput, surface->visual,
        CWEventMask | CWColormap | CWBorderPixel | CWBackPixel, &attributes);
    if (!frameConnectionFailed(display)) {
        surface->gc = XCreateGC(display, surface->window, 0, nullptr);
        surface->draw = XftDrawCreate(display, surface->window, surface->visual, surface->colormap);
        XMapWindow(display, surface->window);
    }
    if (frameConnectionFailed(display) || !surface->gc || !surface->draw) {
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
    // One look at the queue: events that arrive while these are handled wait
    // for the next idle, so a busy server cannot hold the host here.
    for (int pending = XPending(display); pending > 0 && !destroyed; --pending) {
        XEvent event;
        XNextEvent(display, &event);
        destroyed = event.type == DestroyNotify && event.xdestroywindow.window == surfaceOf(window)->window;
        if (!destroyed) {
            FrameWindowEvents::handle(this, event);
        }
    }
    if (destroyed) {
        windowDestroyed();
    }
}

void EditorFrame::raiseWindow()
{
    if (window) {
        FrameSurface* surface = surfaceOf(window);
        XRaiseWindow(surface->display, surface->window);
        XFlush(surface->display);
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
