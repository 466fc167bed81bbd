#pragma once
// The host's top-level window, the parent it hands to the plug-in's editor.
// Declared once here; host/win32 and host/linux make it their platform's way.
// Its timer drives the editor's idle about 30 times a second on the
// user-interface thread, as hosts do, and its event loop runs whatever else
// the window needs. Presses on the editor's panel, made by hand or by
// press(), are reported to one handler, which is how the host follows the
// panel's buttons (host/driver/PanelPresses.h). An interrupt from the
// terminal (Ctrl+C) closes the window, so that an interrupted run still ends
// in order. User-interface thread only.
#include "host/engine/RgbImage.h"

#include <functional>
#include <memory>
#include <string>

class HostWindow {
public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    bool create(const std::string& title, int clientWidth, int clientHeight, std::string& error);
    // Harmless when already destroyed (by the user closing the window).
    void destroy();
    bool isOpen() const;

    // What the editor gets from effEditOpen as its parent: an HWND on
    // Windows, an X window id on Linux.
    void* editorParent() const;

    void setClientSize(int width, int height);
    void clientSize(int& width, int& height) const;
    // Grows the client area to hold every child window: an editor may place
    // windows beyond the rectangle it reports.
    void growToChildren();

    // Every tick (about 30 a second unless set otherwise) runs `idle`.
    void startIdleTimer(std::function<void()> idle);
    // Ticks this many milliseconds apart from now on.
    void setIdleInterval(unsigned milliseconds);
    void stopIdleTimer();
    // Runs when the user asks to close the window, before it is destroyed.
    void setCloseHandler(std::function<void()> handler);
    // Runs for each press on the editor's panel (the editor's window at the
    // corner of the client area), with the point in the client area.
    void setPanelPressHandler(std::function<void(int x, int y)> handler);

    // What a watched file descriptor may be ready for; a plug-in that sleeps
    // on descriptors of its own (CLAP's posix-fd-support) has them watched
    // by the window's event loop, which runs `ready` with what it found.
    enum DescriptorEvent : unsigned { DescriptorRead = 1, DescriptorWrite = 2, DescriptorError = 4 };
    // Watches `descriptor` for `events` from now on, replacing an earlier
    // watch of it. False where the event loop waits on no descriptors
    // (Windows: its loop waits on messages).
    bool watchDescriptor(int descriptor, unsigned events, std::function<void(unsigned events)> ready);
    static bool watchesDescriptors();
    // Harmless for a descriptor not watched.
    void stopWatching(int descriptor);

    // Handles every pending event and due tick; false once the window is gone.
    bool pumpMessages();
    // Handles events and ticks for this long; false once the window is gone.
    bool runFor(int milliseconds);

    // A press and release of a mouse button at a point of the client area,
    // delivered to the plug-in's window under it; false when none is there.
    bool press(int x, int y, bool rightButton);
    // Whether the editor takes a delivered press only at its next idle (it
    // reads its events there on X11) rather than at once (Win32 messages).
    static bool pressesWaitForIdle();

    // The client area as the screen shows it, 3-D view included; parts off
    // the screen come out black. Repeated captures reuse their resources.
    // Where the view draws on a thread of its own, the picture shows what
    // the host changed up to `changedMs` (frameClockMs(), GlFrameHooks.h).
    bool capture(RgbImage& image, std::string& error, double changedMs);

private:
    struct Native;
    std::unique_ptr<Native> native;
};
