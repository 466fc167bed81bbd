#pragma once
// Xlib reports a protocol error (a window the host destroyed under us, a
// failed creation) through one process-wide handler whose default ends the
// process: the host with it. While any editor frame's connection is open, a
// handler of ours is installed that records the errors of those connections
// and hands every other connection's to the handler it replaced. The GLUT
// layer's GLX connection does the same with a handler of its own; whichever
// order the two come and go in, each hands on what is not its own, and
// neither takes out a handler installed after it.
//
// Registration: user-interface thread. The handler: any thread that reads a
// connection's answers.
#include <X11/Xlib.h>

// From now on the errors of `display` are recorded, not reported; false (and
// nothing changed) when too many connections are registered already.
bool adoptFrameConnectionErrors(Display* display);
// After the connection closed: its errors are no longer ours. The last one
// puts back the handler ours replaced, unless another was installed since.
void releaseFrameConnectionErrors(Display* display);
// Waits for the server's answers to everything sent so far; whether any of
// them since the last call was an error.
bool frameConnectionFailed(Display* display);
