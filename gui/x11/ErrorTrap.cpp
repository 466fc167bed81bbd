#include "gui/x11/ErrorTrap.h"

namespace {

// State of the outermost trap, on the user-interface thread.
Display* trappedDisplay = nullptr;
XErrorHandler previousHandler = nullptr;
bool errorSeen = false;

int trapHandler(Display* display, XErrorEvent* error)
{
    if (display == trappedDisplay) {
        errorSeen = true;
        return 0;
    }
    return previousHandler ? previousHandler(display, error) : 0;
}

} // namespace

ErrorTrap::ErrorTrap(Display* display)
    : display(display)
    , outermost(trappedDisplay == nullptr)
{
    if (!outermost || !display) {
        return;
    }
    XSync(display, False); // earlier errors are not this batch's
    trappedDisplay = display;
    errorSeen = false;
    previousHandler = XSetErrorHandler(trapHandler);
}

ErrorTrap::~ErrorTrap()
{
    if (!outermost || !display) {
        return;
    }
    XSync(display, False);
    XSetErrorHandler(previousHandler);
    trappedDisplay = nullptr;
    previousHandler = nullptr;
}

bool ErrorTrap::failed()
{
    if (!display) {
        return true;
    }
    XSync(display, False);
    return errorSeen;
}
