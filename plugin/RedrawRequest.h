#pragma once
// How anything that changes what the 3-D view shows asks for a redraw.
//
// MIDI intake runs on the host's processing thread, where no GLUT or OpenGL
// call may run. So a request only raises an atomic flag; the view's idle pump,
// on the user-interface thread, takes it and turns it into glutPostRedisplay.
// Requests made while the view is closed are dropped.
#include <atomic>

// True from the moment the view's GLUT window and its callbacks exist until
// the editor closes it. Written by the view on the user-interface thread.
extern std::atomic<bool> glViewReady;

// Any thread: asks for one redraw of the open view.
void requestRedisplay();

// User-interface thread: answers whether a redraw was asked for since the last
// call, and clears the request.
bool takeRedisplayRequest();
