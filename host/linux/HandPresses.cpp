#include "host/linux/HandPresses.h"

#include <X11/extensions/XInput2.h>

void HandPresses::start(Display* connection)
{
    display = connection;
    int event = 0;
    int error = 0;
    int major = 2;
    int minor = 0;
    if (!XQueryExtension(display, "XInputExtension", &inputOpcode, &event, &error) ||
        XIQueryVersion(display, &major, &minor) != Success) {
        inputOpcode = -1;
        return;
    }
    unsigned char bits[XIMaskLen(XI_RawButtonPress)] = {};
    XISetMask(bits, XI_RawButtonPress);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
}

bool HandPresses::take(XEvent& event, Window window, int& x, int& y)
{
    if (inputOpcode < 0 || event.type != GenericEvent || event.xcookie.extension != inputOpcode ||
        event.xcookie.evtype != XI_RawButtonPress || !XGetEventData(display, &event.xcookie))
        return false;
    // The left and right buttons, as on the panel; the wheel's clicks are no presses.
    const int button = static_cast<XIRawEvent*>(event.xcookie.data)->detail;
    XFreeEventData(display, &event.xcookie);
    if (button != Button1 && button != Button3)
        return false;
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    unsigned int buttons = 0;
    if (!XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &buttons))
        return false;
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    return x >= 0 && y >= 0 && x < attributes.width && y < attributes.height;
}
