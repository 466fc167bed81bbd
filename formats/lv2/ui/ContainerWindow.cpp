#include "formats/lv2/ui/ContainerWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// Whether the server said the window is gone: the host destroyed its own
// window, and ours with it, before closing the user interface. Destroying it
// again would be an X error, which Xlib hands the host's handler.
bool destroyedByServer(Display* display, Window window)
{
    XSync(display, False);
    XEvent event;
    bool destroyed = false;
    while (XCheckTypedWindowEvent(display, window, DestroyNotify, &event))
        destroyed = true;
    return destroyed;
}

} // namespace

bool ContainerWindow::open(uintptr_t parent, int32_t width, int32_t height)
{
    close();
    display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XSetWindowAttributes attributes{};
    attributes.event_mask = StructureNotifyMask;
    attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
    const Window window = XCreateWindow(display, static_cast<Window>(parent), 0, 0, static_cast<unsigned>(width),
        static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent, CWEventMask | CWBackPixel,
        &attributes);
    if (window == 0) {
        close();
        return false;
    }
    id = window;
    // Hosts read the size they are to make room for from the hints.
    XSizeHints hints{};
    hints.flags = PSize | PMinSize | PBaseSize;
    hints.width = hints.min_width = hints.base_width = width;
    hints.height = hints.min_height = hints.base_height = height;
    XSetWMNormalHints(display, window, &hints);
    XMapWindow(display, window);
    // The editor's connections make their windows in this one: it must exist
    // on the server first.
    if (destroyedByServer(display, window)) {
        close();
        return false;
    }
    return true;
}

void ContainerWindow::close()
{
    if (!display)
        return;
    if (id != 0 && !destroyedByServer(display, static_cast<Window>(id)))
        XDestroyWindow(display, static_cast<Window>(id));
    id = 0;
    XCloseDisplay(display);
    display = nullptr;
}
