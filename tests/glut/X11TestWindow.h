#pragma once
// What a host gives the GLX backend: a window of its own, on its own display
// connection, to put ours in. Mapped at the top level without a window
// manager's say (override-redirect), so that what is drawn is on the screen.
#include <X11/Xlib.h>

#include <array>
#include <cstdint>
#include <vector>

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
    // The colour (r, g, b) at x, y of `window` as the screen shows it.
    std::array<int, 3> screenPixel(Window of, int x, int y) const;

private:
    Display* display = nullptr;
    Window window = 0;
};
