#pragma once
// The plug-in's view draws on a thread of its own on Linux, woken by the
// notes a block carries, by presses on the panel and by the editor's idle,
// so a picture taken right after any of them may show the frame before.
// Every frame passes through the program's own glClear and glXSwapBuffers
// (host/linux/GlFrameHooks.cpp), which note when each frame begins and ends.
// A picture waits for the first frame begun after the last change the host
// made (`changedMs`, on frameClockMs()) to finish, and then until the view
// has been quiet for a little while, for a frame an idle asked for. A view
// that keeps drawing (a spinning model) is taken after at most two seconds,
// between two frames.
void waitForView(double changedMs);
