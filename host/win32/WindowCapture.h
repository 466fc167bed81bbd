#pragma once
// Copies what the screen shows of a window's client area. Reading the screen
// rather than asking the window to paint itself (WM_PRINT) is what brings
// OpenGL child windows along on Windows: their pixels never pass through GDI.
// Under Wine, where they do not reach the screen, their last frames are read
// back through OpenGL and pasted in where they are visible.
#include "host/RgbImage.h"

#include <windows.h>

#include <string>

// Brings the window to the top, lets pending paints run, and copies its client
// area. Parts outside the screen come out black.
bool captureClientArea(HWND window, RgbImage& image, std::string& error);
