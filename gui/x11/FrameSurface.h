#pragma once
// What an X11 frame window draws with: the editor frame's own display
// connection, its window, a graphics context and an Xft drawable for text.
// Owned by the frame (gui/x11/EditorFrameWindow.cpp); graphics contexts and
// bitmaps borrow it for one paint, press or refresh. User-interface thread.
#include <X11/Xlib.h>
#include <X11/Xft/Xft.h>

#include "gui/Color.h"

struct FrameSurface {
    Display* display = nullptr;
    Window window = 0;
    Visual* visual = nullptr;
    Colormap colormap = 0;
    int depth = 0;
    GC gc = nullptr;
    XftDraw* draw = nullptr;
};

// The pixel value of `color` in the surface's (TrueColor) visual.
unsigned long pixelOf(const FrameSurface& surface, Color color);
