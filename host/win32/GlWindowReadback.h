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
#include "host/engine/RgbImage.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// True when the program runs under Wine.
bool runningUnderWine();

// True when the window has an OpenGL pixel format.
bool hasOpenGlPixelFormat(HWND window);

// Reads windows' last frames, keeping its context from one read to the next
// while the window stays the same: creating a context costs far more than a
// read, which matters when a render reads every frame.
class GlWindowReader {
public:
    GlWindowReader() = default;
    ~GlWindowReader();
    GlWindowReader(const GlWindowReader&) = delete;
    GlWindowReader& operator=(const GlWindowReader&) = delete;

    // The window's last frame, rows from the top, the size of its client area.
    // Leaves the calling thread's current context as it was.
    bool read(HWND window, RgbImage& image);

private:
    void release();

    HWND window = nullptr;
    HGLRC context = nullptr;
    bool doubleBuffered = false;
    std::vector<uint8_t> rgba;
};
