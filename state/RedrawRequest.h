#pragma once
// How anything that changes what the 3-D view shows asks for a redraw.
//
// MIDI intake runs on the host's processing thread, where no GLUT or OpenGL
// call may run. So a request raises an atomic flag, which the view takes on
// the thread that draws it (the user-interface thread, or a thread of the
// view's own where no host message loop serves it): at the host's next idle,
// or sooner when the view has installed a waker. The waker is the one call a
// request makes beyond the flag (posting a message or writing to an eventfd,
// neither of which blocks), and it is made only when no wake is on its way
// already, so a burst of requests wakes the view once. Requests made while no
// view accepts them (the view is closed) are dropped.
//
// "The view's thread" below is the thread that draws the view.

// The view's thread: the view accepts requests from the moment its window
// and callbacks exist until it closes.
void acceptRedisplayRequests(bool accept);

// Any thread: asks for one redraw of the open view.
void requestRedisplay();

// The view's thread: answers whether a redraw was asked for since the last
// call, and clears the request.
bool takeRedisplayRequest();
// The view's thread: whether a redraw is asked for, leaving it asked.
bool redisplayRequested();

// The view's thread. Installs `wake(target)`, called on whatever thread
// makes a request that finds no wake on its way; null `wake` removes it.
void setRedisplayWaker(void (*wake)(void* target), void* target);
// The view's thread, when woken: the wake has arrived, so the
// next request must wake again.
void acknowledgeRedisplayWake();
