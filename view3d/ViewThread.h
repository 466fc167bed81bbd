#pragma once
// The view's own thread, where no host message loop serves the view's window
// (X11: glutQarnEventsNeedWaiting). Linux hosts call the editor's idle 15 to
// 60 times a second and deliver nothing in between, so a frame that waited
// for the user-interface thread would wait for the next idle.
//
// The thread opens the view's window in the host's window, with the GLUT
// layer's own display connection and a GLX context of its own, owns both for
// the window's whole life and draws every frame: when a redraw request wakes
// it (the processing thread's wake is an eventfd write), and when the window
// is exposed or resized. It then closes the window, the context and the
// connection. The user-interface thread makes no GLUT or GL call for the view
// meanwhile, so each context is current on one thread only and the host's
// context is never touched. What both threads use is the view state (atomic
// values, view3d/ViewState.h), the model (under its lock,
// view3d/ModelSwap.h) and the redraw request (atomic flags).
//
// User-interface thread: start and stop.

// Starts the thread, which runs `open(parent)` (the window's creation and GL
// set-up: the view's id, or 0) and then serves the window until it is
// stopped. Waits for `open` to finish and answers its result; on 0 the
// thread has ended already.
int startViewThread(int (*open)(void* parent), void* parent);

// Wakes the thread, waits until it has destroyed the window and ended.
// Harmless when it is not running.
void stopViewThread();
