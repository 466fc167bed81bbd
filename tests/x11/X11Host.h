#pragma once
// What a Linux host does around a plug-in's editor, for the tests: a
// top-level window of its own on its own display connection (override-redirect,
// so it shows at once and where asked without a window manager), the window
// tree under it, pictures of the screen as a person sees it, and a mouse and a
// keyboard driven through XTest.
#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

struct ScreenPicture {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, rows from the top

    // The colour at (x, y) of the screen; 0xFF000000 outside the picture.
    uint32_t at(int x, int y) const;
};

struct ChildWindow {
    Window id = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool mapped = false;
};

class X11Host {
public:
    X11Host();
    ~X11Host();
    X11Host(const X11Host&) = delete;
    X11Host& operator=(const X11Host&) = delete;

    Display* display() const { return connection; }

    // A mapped top-level window at (x, y) of the screen that records the keys
    // it receives; destroyed with the host or by destroyWindow.
    Window createWindow(int x, int y, int width, int height);
    void destroyWindow(Window window);

    // The children of `window`, bottom of the stack first.
    std::vector<ChildWindow> children(Window window);

    // The root window's pixels over the rectangle, as a person sees them.
    ScreenPicture capture(int left, int top, int width, int height);

    // XTest: the pointer moves to (x, y) of the screen, presses and releases
    // `button` there.
    void click(int x, int y, unsigned int button);
    // XTest: a key pressed and released, with the pointer where it is.
    void typeKey(unsigned int keysym);
    // Key presses the host's windows received since the last call.
    int takeKeyPresses();
    Window focus();
    void setFocus(Window window);

    // The server has processed everything sent so far.
    void sync();

private:
    Display* connection = nullptr;
    std::vector<Window> windows;
};
