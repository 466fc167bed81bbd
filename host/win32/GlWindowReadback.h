#pragma once
// Reads what an OpenGL window last drew, through a context of our own on the
// window's pixel format.
//
// Needed under Wine: it renders OpenGL child windows into an off-screen X
// window and its copy onto the visible parent does not show (Wine 8 on Xvfb),
// so a copy of the screen has black where the 3-D view is. The framebuffer
// belongs to the window, not to the context that drew it, so any context on
// the same pixel format reads it. After a buffer swap the back buffer still
// holds the last frame under Wine's Mesa; on Windows the screen copy already
// shows it and this is not used.
#include "host/RgbImage.h"

#include <windows.h>

// True when the program runs under Wine.
bool runningUnderWine();

// True when the window has an OpenGL pixel format.
bool hasOpenGlPixelFormat(HWND window);

// The window's last frame, rows from the top, the size of its client area.
// Leaves the calling thread's current context as it was.
bool readOpenGlWindow(HWND window, RgbImage& image);
