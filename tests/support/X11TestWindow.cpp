#include "tests/support/X11TestWindow.h"

#include <GL/glx.h>
#include <X11/Xutil.h>
#include <dirent.h>

namespace {

void keepGlxDriverLoaded()
{
    static const bool loaded = [] {
        Display* display = XOpenDisplay(nullptr);
        int count = 0;
        GLXFBConfig* configs = display != nullptr ? glXGetFBConfigs(display, DefaultScreen(display), &count) : nullptr;
        if (configs != nullptr) {
            XFree(configs);
        }
        return configs != nullptr;
    }();
    (void)loaded;
}

std::array<int, 3> colourAt(XImage& image, int x, int y)
{
    const unsigned long pixel = XGetPixel(&image, x, y);
    const auto channel = [pixel](unsigned long mask) {
        int shift = 0;
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            ++shift;
        }
        return static_cast<int>((pixel >> shift) & mask);
    };
    return {channel(image.red_mask), channel(image.green_mask), channel(image.blue_mask)};
}

} // namespace

int openDescriptors()
{
    int count = 0;
    if (DIR* directory = opendir("/proc/self/fd")) {
        while (readdir(directory) != nullptr) {
            ++count;
        }
        closedir(directory);
    }
    return count;
}

X11TestWindow::X11TestWindow(int x, int y)
{
    keepGlxDriverLoaded();
    display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return;
    }
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = WhitePixel(display, DefaultScreen(display));
    window = XCreateWindow(display, DefaultRootWindow(display), x, y, 800, 600, 0, CopyFromParent, InputOutput,
        CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapWindow(display, window);
    XSync(display, False);
}

X11TestWindow::~X11TestWindow()
{
    if (display != nullptr) {
        destroy();
        XCloseDisplay(display);
    }
}

void X11TestWindow::destroy()
{
    if (window != 0) {
        XDestroyWindow(display, window);
        XSync(display, False);
        window = 0;
    }
}

std::vector<Window> X11TestWindow::children() const
{
    Window root = 0;
    Window parentOfWindow = 0;
    Window* list = nullptr;
    unsigned int count = 0;
    std::vector<Window> found;
    if (window != 0 && XQueryTree(display, window, &root, &parentOfWindow, &list, &count) != 0) {
        found.assign(list, list + count);
    }
    if (list != nullptr) {
        XFree(list);
    }
    return found;
}

std::array<int, 3> X11TestWindow::screenPixel(Window of, int x, int y) const
{
    XSync(display, False);
    XImage* image = XGetImage(display, of, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return {-1, -1, -1};
    }
    const std::array<int, 3> colour = colourAt(*image, 0, 0);
    XDestroyImage(image);
    return colour;
}

std::vector<std::array<int, 3>> X11TestWindow::screenImage(Window of, int width, int height) const
{
    XSync(display, False);
    XImage* image = XGetImage(display, of, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    std::vector<std::array<int, 3>> colours;
    if (image == nullptr) {
        return colours;
    }
    colours.reserve(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            colours.push_back(colourAt(*image, x, y));
        }
    }
    XDestroyImage(image);
    return colours;
}
