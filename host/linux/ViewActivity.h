#pragma once
// The plug-in's view draws on a thread of its own on Linux, woken by the
// host's changes (a block of notes, a press, a program, an idle of a
// spinning model), so a picture taken right after one may show the frame
// before. Every frame passes through the program's own glClear and
// glXSwapBuffers (host/linux/GlFrameHooks.cpp), which note when each frame
// begins and ends; a picture waits until the first frame begun after the
// host's last change (`changedMs`, on frameClockMs(), marked right before
// the plug-in call that asks for the frame) has ended, and no other frame
// is under way. A frame that never comes is given up after two seconds.
void waitForView(double changedMs);
