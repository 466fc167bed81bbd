#pragma once
// The copy way of showing a GLUT window's frames (glut/PresentMode.h): a plain
// child window that covers the GL window and shows its last frame, read back
// from the back buffer into a device-independent bitmap and drawn with GDI.
// It repaints itself from that bitmap whenever Windows asks, so a window
// dragged over the view or a host redrawing its own windows never leaves a
// hole. Mouse and keys pass through it to the windows below and above.
//
// User-interface thread only, with the GL window's context current for
// presentFrameCopy.
#include <windows.h>

struct FrameCopy;

// The presenting window inside `glWindow`, at its client area's size; nullptr
// when it cannot be created (the caller then swaps as usual).
FrameCopy* createFrameCopy(HWND glWindow, int width, int height);

// Frees the bitmap and destroys the window (if the host has not already).
void destroyFrameCopy(FrameCopy* copy);

// Follows a new size of the GL window.
void resizeFrameCopy(FrameCopy* copy, int width, int height);

// Reads the finished frame from the current context's back buffer and draws
// it into the presenting window.
void presentFrameCopy(FrameCopy* copy);
