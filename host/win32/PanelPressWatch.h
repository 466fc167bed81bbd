#pragma once
// Presses made by hand on the plug-in's panel change its scoring as much as
// the host's own scripted presses do, and the practice referee must follow
// both. A mouse hook on the user-interface thread sees every button press the
// mouse delivers to a window inside the host's window; the scripted presses
// are sent straight to their window and pass it by, so none counts twice.
#include <windows.h>

#include <functional>

class PanelPressWatch {
public:
    // Called with the point of the press in the host window's client area.
    using Handler = std::function<void(int x, int y)>;

    PanelPressWatch() = default;
    ~PanelPressWatch();

    PanelPressWatch(const PanelPressWatch&) = delete;
    PanelPressWatch& operator=(const PanelPressWatch&) = delete;

    // User-interface thread; one watch at a time. False if the hook could not be set.
    bool start(HWND host, Handler handler);
    void stop();

private:
    static LRESULT CALLBACK onMouse(int code, WPARAM message, LPARAM details);

    HHOOK hook = nullptr;
    HWND host = nullptr;
    Handler handler;
};
