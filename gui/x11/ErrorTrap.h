#pragma once
// Xlib reports a protocol error (a window the host destroyed under us, a
// failed creation) through one process-wide handler whose default ends the
// process: the host with it. Every batch of calls on an editor frame's own
// connection therefore runs inside an ErrorTrap, which installs a handler
// that swallows that connection's errors and hands any other connection's to
// the handler it replaced, then waits for the server's answer to the batch
// and puts the previous handler back. User-interface thread; traps nest.
#include <X11/Xlib.h>

class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    // Waits for the server to answer everything sent in the trap.
    ~ErrorTrap();

    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // Waits for the server's answers so far; whether any was an error.
    bool failed();

private:
    Display* display;
    bool outermost;
};
