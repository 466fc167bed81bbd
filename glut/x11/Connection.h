#pragma once
// The GLX backend's own connection to the X server, shared by all its
// windows: opened with the first window and closed with the last. Hosts hand
// a plug-in no connection, and the host's own may be in use on its thread at
// any moment, so ours is never theirs.
//
// Xlib reports a protocol error through one process-wide handler whose
// default ends the process (and the host with it). A window the host destroys
// under us makes our next calls on it fail, at a time we cannot choose, so
// for as long as the connection is open a handler of ours is installed that
// records the errors of our connection and hands any other connection's to
// the handler it replaced.
//
// The windows' thread only.
#include <X11/Xlib.h>

// Opens the connection if none is open, and counts one more user; null when
// no X server can be reached.
Display* acquireConnection();
// One user fewer; the last one closes the connection (every window, colormap
// and GLX resource of ours on the server goes with it).
void releaseConnection();

// Waits for the server's answers to everything sent so far; whether any of
// them since the last call was an error.
bool connectionFailed(Display* display);
