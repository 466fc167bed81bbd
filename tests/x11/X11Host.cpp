#include "tests/x11/X11Host.h"

#include <X11/Xft/Xft.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>

uint32_t ScreenPicture::at(int x, int y) const
{
    const int column = x - left;
    const int row = y - top;
    if (column < 0 || row < 0 || column >= width || row >= height)
        return 0xFF000000u;
    return pixels[static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(column)];
}

X11Host::X11Host()
    : connection(XOpenDisplay(nullptr))
{
    // Xft frees the fonts it caches for a connection only while the
    // connection closes, too late for Xrender (gui/x11/EditorFrameWindow.cpp
    // says what follows); the pictures of text the tests draw must not leave
    // any behind either.
    if (FcPattern* settings = connection ? FcPatternCreate() : nullptr) {
        FcPatternAddInteger(settings, XFT_MAX_UNREF_FONTS, 0);
        if (!XftDefaultSet(connection, settings))
            FcPatternDestroy(settings);
    }
}

X11Host::~X11Host()
{
    if (!connection)
        return;
    for (Window window : windows)
        XDestroyWindow(connection, window);
    XCloseDisplay(connection);
}

Window X11Host::createWindow(int x, int y, int width, int height)
{
    const int screen = DefaultScreen(connection);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = 0x404040;
    attributes.event_mask = KeyPressMask | KeyReleaseMask;
    const Window window = XCreateWindow(connection, RootWindow(connection, screen), x, y,
        static_cast<unsigned int>(width), static_cast<unsigned int>(height), 0, CopyFromParent, InputOutput,
        CopyFromParent, CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
    XMapRaised(connection, window);
    windows.push_back(window);
    sync();
    return window;
}

void X11Host::destroyWindow(Window window)
{
    XDestroyWindow(connection, window);
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
    sync();
}

std::vector<ChildWindow> X11Host::children(Window window)
{
    std::vector<ChildWindow> found;
    Window root = 0;
    Window parent = 0;
    Window* list = nullptr;
    unsigned int count = 0;
    sync();
    if (!XQueryTree(connection, window, &root, &parent, &list, &count))
        return found;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(connection, list[i], &attributes))
            continue;
        found.push_back(ChildWindow{list[i], attributes.x, attributes.y, attributes.width, attributes.height,
            attributes.map_state == IsViewable});
    }
    if (list)
        XFree(list);
    return found;
}

ScreenPicture X11Host::capture(int left, int top, int width, int height)
{
    ScreenPicture picture;
    sync();
    XImage* image = XGetImage(connection, DefaultRootWindow(connection), left, top, static_cast<unsigned int>(width),
        static_cast<unsigned int>(height), AllPlanes, ZPixmap);
    if (!image)
        return picture;
    picture.left = left;
    picture.top = top;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Xvfb's 24-bit TrueColor visual: red, green, blue from high to low.
            picture.pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu;
        }
    }
    XDestroyImage(image);
    return picture;
}

void X11Host::click(int x, int y, unsigned int button)
{
    XTestFakeMotionEvent(connection, DefaultScreen(connection), x, y, CurrentTime);
    XTestFakeButtonEvent(connection, button, True, CurrentTime);
    XTestFakeButtonEvent(connection, button, False, CurrentTime);
    sync();
}

void X11Host::typeKey(unsigned int keysym)
{
    const KeyCode code = XKeysymToKeycode(connection, keysym);
    XTestFakeKeyEvent(connection, code, True, CurrentTime);
    XTestFakeKeyEvent(connection, code, False, CurrentTime);
    sync();
}

int X11Host::takeKeyPresses()
{
    sync();
    int presses = 0;
    XEvent event;
    while (XCheckMaskEvent(connection, KeyPressMask | KeyReleaseMask, &event)) {
        if (event.type == KeyPress)
            ++presses;
    }
    return presses;
}

Window X11Host::focus()
{
    Window focused = 0;
    int revert = 0;
    XGetInputFocus(connection, &focused, &revert);
    return focused;
}

void X11Host::setFocus(Window window)
{
    XSetInputFocus(connection, window, RevertToParent, CurrentTime);
    sync();
}

void X11Host::sync()
{
    XSync(connection, False);
}
