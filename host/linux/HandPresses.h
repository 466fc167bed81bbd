#pragma once
// Presses made by hand on the plug-in's windows change its state as much as
// the host's own presses do, and the host must follow both. The editor's
// windows belong to the editor's connections, and X gives a window's button
// presses to one client only; the raw button events of the X input
// extension go to every client that asks for them, so the host watches
// those on the root window and asks where the pointer is. The host's own
// presses are sent events and raise none, so none counts twice.
#include <X11/Xlib.h>

class HandPresses {
public:
    // Starts watching; without the input extension nothing is reported.
    void start(Display* display);
    // When `event` is a button press by hand inside `window`, answers true
    // with the point in its client area.
    bool take(XEvent& event, Window window, int& x, int& y);

private:
    Display* display = nullptr;
    int inputOpcode = -1;
};
