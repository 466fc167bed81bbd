#include "gui/x11/ConnectionErrors.h"

#include <atomic>

namespace {

// Several editors may be open at once, each frame with its connection.
constexpr int maxConnections = 32;

struct Registered {
    std::atomic<Display*> display{nullptr};
    std::atomic<bool> errorSeen{false};
};

Registered connections[maxConnections];
int registeredCount = 0; // user-interface thread
std::atomic<XErrorHandler> previousHandler{nullptr};

Registered* find(Display* display)
{
    for (Registered& slot : connections) {
        if (slot.display.load() == display) {
            return &slot;
        }
    }
    return nullptr;
}

// Set while this thread's error is being handed on: two handlers that each
// replaced the other at some time would otherwise hand it round for ever.
thread_local bool handingOn = false;

int onError(Display* errorDisplay, XErrorEvent* error)
{
    if (Registered* slot = errorDisplay ? find(errorDisplay) : nullptr) {
        slot->errorSeen.store(true);
        return 0;
    }
    const XErrorHandler previous = previousHandler.load();
    if (!previous || handingOn) {
        return 0;
    }
    handingOn = true;
    const int answer = previous(errorDisplay, error);
    handingOn = false;
    return answer;
}

} // namespace

bool adoptFrameConnectionErrors(Display* display)
{
    Registered* slot = display ? find(nullptr) : nullptr;
    if (!slot) {
        return false;
    }
    slot->errorSeen.store(false);
    slot->display.store(display);
    if (registeredCount++ == 0) {
        const XErrorHandler replaced = XSetErrorHandler(onError);
        // Ours may still be in place from earlier connections (see below);
        // handing errors on to ourselves would never end.
        if (replaced != onError) {
            previousHandler.store(replaced);
        }
    }
    return true;
}

void releaseFrameConnectionErrors(Display* display)
{
    Registered* slot = display ? find(display) : nullptr;
    if (!slot) {
        return;
    }
    slot->display.store(nullptr);
    if (--registeredCount == 0) {
        // Someone else's handler installed after ours stays; ours, which it
        // may call, goes on handing every error to the one before it.
        const XErrorHandler current = XSetErrorHandler(previousHandler.load());
        if (current != onError) {
            XSetErrorHandler(current);
        }
    }
}

bool frameConnectionFailed(Display* display)
{
    Registered* slot = display ? find(display) : nullptr;
    if (!slot) {
        return true;
    }
    XSync(display, False);
    return slot->errorSeen.exchange(false);
}
