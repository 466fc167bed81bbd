#pragma once
// What a host gives the GLX backend: a window of its own, on its own display
// connection, to put ours in. Mapped at the top level without a window
// manager's say (override-redirect), so that what is drawn is on the screen.
//
// Mesa loads its GLX driver with a display's first GLX call and unloads it
// when the last such display closes, losing track of a few hundred bytes each
// time, which the leak checker would blame on the program. The first test
// window therefore opens a connection of its own, never closed, that asks GLX
// for its configs: the driver stays loaded until the process ends, as it does
// in a host that draws with GL.
#include <X11/Xlib.h>

#include <array>
#include <cstdint>
#include <vector>

// The file descriptors the process has open: display connections and
// eventfds among them.
int openDescriptors();

class X11TestWindow {
public:
    // 800 x 600 pixels with its top-left corner at x, y of the screen.
    explicit X11TestWindow(int x = 0, int y = 0);
    ~X11TestWindow();
    X11TestWindow(const X11TestWindow&) = delete;
    X11TestWindow& operator=(const X11TestWindow&) = delete;

    bool valid() const { return window != 0; }
    Display* connection() const { return display; }
    Window handle() const { return window; }
    // As hosts hand it to a plug-in.
    void* parent() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(window)); }

    // Destroys the window now, as a host may before closing the editor.
    void destroy();

    // Our children of the window, in stacking order.
    std::vector<Window> children() const;
    // The colour (r, g, b) at x, y of `of` as the screen shows it.
    std::array<int, 3> screenPixel(Window of, int x, int y) const;
    // The colours of `of`'s width x height pixels as the screen shows them,
    // rows from the top down; empty if the window cannot be read.
    std::vector<std::array<int, 3>> screenImage(Window of, int width, int height) const;

private:
    Display* display = nullptr;
    Window window = 0;
};
