#include "glut/x11/Connection.h"

#include <atomic>

namespace {

Display* display = nullptr;
int users = 0;

// Read by the handler, which runs on whatever thread reads a connection's
// replies: ours on the windows' thread, others on the host's threads.
std::atomic<Display*> ourDisplay{nullptr};
std::atomic<XErrorHandler> previousHandler{nullptr};
std::atomic<bool> errorSeen{false};

int onError(Display* errorDisplay, XErrorEvent* error)
{
    if (errorDisplay == ourDisplay.load()) {
        errorSeen.store(true);
        return 0;
    }
    const XErrorHandler previous = previousHandler.load();
    return previous != nullptr ? previous(errorDisplay, error) : 0;
}

void installHandler()
{
    const XErrorHandler replaced = XSetErrorHandler(onError);
    // Ours may still be in place from an earlier connection (see below);
    // handing errors on to ourselves would never end.
    if (replaced != onError) {
        previousHandler.store(replaced);
    }
}

// Puts back the handler ours replaced, unless someone has installed another
// since: that one stays, and ours, which it may call, goes on handing every
// error to the handler before it.
void removeHandler()
{
    const XErrorHandler current = XSetErrorHandler(previousHandler.load());
    if (current != onError) {
        XSetErrorHandler(current);
    }
}

} // namespace

Display* acquireConnection()
{
    if (display == nullptr) {
        display = XOpenDisplay(nullptr);
        if (display == nullptr) {
            return nullptr;
        }
        ourDisplay.store(display);
        errorSeen.store(false);
        installHandler();
    }
    ++users;
    return display;
}

void releaseConnection()
{
    if (users == 0 || --users > 0) {
        return;
    }
    // Closing waits for the server's last answers, errors included: they are
    // still ours to swallow.
    XCloseDisplay(display);
    ourDisplay.store(nullptr);
    display = nullptr;
    removeHandler();
}

bool connectionFailed(Display* syncDisplay)
{
    XSync(syncDisplay, False);
    return errorSeen.exchange(false);
}
