#pragma once
// The user interface's own window inside the host's: the X11 widget LV2 hosts
// expect, which they move and resize as their layout changes, holding the
// editor's panel and 3-D view. It lives on an X connection of its own, like
// each of the editor's windows.
#include <cstdint>

class ContainerWindow {
public:
    ContainerWindow() = default;
    ~ContainerWindow() { close(); }

    ContainerWindow(const ContainerWindow&) = delete;
    ContainerWindow& operator=(const ContainerWindow&) = delete;

    // Creates and shows the window in `parent` (an X11 Window id) at the top
    // left; false, with nothing left open, when there is no display or the
    // window could not be made.
    bool open(uintptr_t parent, int32_t width, int32_t height);
    // Destroys the window unless the host destroyed it first (with its own),
    // and closes the connection.
    void close();
    uintptr_t window() const { return id; }

private:
    struct _XDisplay* display = nullptr;
    uintptr_t id = 0;
};
