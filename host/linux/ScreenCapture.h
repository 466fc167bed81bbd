#pragma once
// What the screen shows of a window: read from the server (XGetImage on the
// window), which holds every child's pixels where they are visible, the
// editor's panel and its 3-D view included, whichever connection drew them.
#include "host/engine/RgbImage.h"

#include <X11/Xlib.h>

#include <string>

// The top-left `width` x `height` pixels of `window` as RGB rows.
bool captureWindow(Display* display, Window window, int width, int height, RgbImage& image, std::string& error);
