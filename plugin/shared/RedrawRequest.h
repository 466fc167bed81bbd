#pragma once
// How anything that changes what the 3-D view shows asks for a redraw.
//
// MIDI intake runs on the host's processing thread, where no GLUT or OpenGL
// call may run. So a request raises an atomic flag, which the view takes on
// the user-interface thread: at the host's next idle, or sooner when the view
// has installed a waker. The waker is the one call a request makes beyond the
// flag (posting a message, which never blocks), and it is made only when no
// wake is on its way already, so a burst of requests wakes the view once.
// Requests made while no view accepts them (the view is closed) are dropped.

// User-interface thread: the view accepts requests from the moment its window
// and callbacks exist until it closes.
void acceptRedisplayRequests(bool accept);

// Any thread: asks for one redraw of the open view.
void requestRedisplay();

// User-interface thread: answers whether a redraw was asked for since the last
// call, and clears the request.
bool takeRedisplayRequest();
// User-interface thread: whether a redraw is asked for, leaving it asked.
bool redisplayRequested();

// User-interface thread. Installs `wake(target)`, called on whatever thread
// makes a request that finds no wake on its way; null `wake` removes it.
void setRedisplayWaker(void (*wake)(void* target), void* target);
// User-interface thread, from the woken side: the wake has arrived, so the
// next request must wake again.
void acknowledgeRedisplayWake();
