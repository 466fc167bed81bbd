#pragma once
// The Win32 window behind the host's window (host/engine/HostWindow.h).
// Its timer drives the editor's idle about 30 times a second on the
// user-interface thread, as hosts do, and its message loop runs everything
// else the editor's windows need.
#include <windows.h>

#include <functional>
#include <string>

class TopLevelWindow {
public:
    TopLevelWindow() = default;
    ~TopLevelWindow();

    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;

    bool create(const std::string& title, int clientWidth, int clientHeight, std::string& error);
    // Harmless when already destroyed (by the user closing the window).
    void destroy();

    HWND handle() const { return window; }
    bool isOpen() const { return window != nullptr; }

    void setClientSize(int width, int height);
    void clientSize(int& width, int& height) const;
    // Grows the client area to hold every child window: an editor may place
    // windows beyond the rectangle it reports.
    void growToChildren();

    // Every WM_TIMER tick (about 30 per second unless set otherwise) runs `idle`.
    void startIdleTimer(std::function<void()> idle);
    // Ticks this many milliseconds apart from now on (a running timer is re-armed).
    void setIdleInterval(unsigned milliseconds);
    void stopIdleTimer();
    // Runs when the user asks to close the window, before it is destroyed.
    void setCloseHandler(std::function<void()> handler) { onClose = std::move(handler); }

    // Handles every pending message; false once the window is gone.
    bool pumpMessages();
    // Handles messages, timer ticks included, for this long; false once the window is gone.
    bool runFor(int milliseconds);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window = nullptr;
    unsigned idleInterval = 33; // milliseconds: about 30 editor idles a second
    std::function<void()> onIdle;
    std::function<void()> onClose;
};
