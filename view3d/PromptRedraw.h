#pragma once
// Puts a note on screen in one frame whatever the host's idle rate. A redraw
// request wakes the view's window through the host's message loop, and the
// frame is drawn there, on the user-interface thread, with the host's GL
// context put back afterwards; the host's idle still draws as before. Where
// the view has a thread of its own (view3d/ViewThread.h), the wake reaches
// that thread and the frame is drawn there.
//
// Frames that a wake draws come at most one per frameSpacingMs: a request
// that arrives sooner after the last frame is held back by a one-shot timer
// on the view's window, and every request made meanwhile joins that frame.
//
// The thread that owns the view's window.

constexpr int frameSpacingMs = 15;

// Once the view's window `viewWindowId` exists and is the current GLUT
// window: wakes reach it from now on.
void startPromptRedraw(int viewWindowId);
// Before the view's window is destroyed: requests wake nothing any more.
void stopPromptRedraw();
// The display callback's last step: when the last frame was shown.
void noteFrameShown();
