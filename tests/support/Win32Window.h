#pragma once
// Real windows for tests under Windows (and Wine): a host window that never
// becomes active, the thread's message pump, presses and pixels.
#include <windows.h>

// A visible top-level window, as a host's editor window. It never becomes
// active: with no window manager running, destroying an active window costs
// Wine seconds.
class TestWindow {
public:
    TestWindow() = default;
    TestWindow(int width, int height) { create(width, height); }
    ~TestWindow() { destroy(); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    // Creates the window with a client area of the given size; an existing one
    // is destroyed first.
    void create(int width, int height);
    void destroy();
    HWND handle() const { return window; }

private:
    HWND window = nullptr;
};

// An OpenGL context on `dc` with a double-buffered RGBA pixel format, as a
// host that draws its own interface with OpenGL makes one; null on failure.
HGLRC createGlContext(HDC dc, int depthBits = 0);

// The windows of this thread, top-level and child.
int countThreadWindows();

// Dispatches every queued message of this thread.
void pumpMessages();
// The functions below take the window as the toolkit hands it out: an HWND
// carried as void*.

// Paints the window now, as the system does when it needs repainting.
void repaint(void* window);
// Posts a mouse message at a client point of `window` and dispatches it.
void click(void* window, UINT message, int x, int y);
// A pixel of the window's own drawing, read through its device context.
COLORREF clientPixel(void* window, int x, int y);
