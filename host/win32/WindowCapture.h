#pragma once
// Copies what the screen shows of a window's client area. Reading the screen
// rather than asking the window to paint itself (WM_PRINT) is what brings
// OpenGL child windows along on Windows: their pixels never pass through GDI.
// Under Wine, where they do not reach the screen, their last frames are read
// back through OpenGL and pasted in where they are visible.
#include "host/engine/RgbImage.h"
#include "host/win32/GlWindowReadback.h"

#include <windows.h>

#include <memory>
#include <string>

// Captures windows again and again, keeping the screen copy and the OpenGL
// reading context from one capture to the next (a render takes one capture
// per video frame). User-interface thread only.
class WindowCapture {
public:
    WindowCapture();
    ~WindowCapture();
    WindowCapture(const WindowCapture&) = delete;
    WindowCapture& operator=(const WindowCapture&) = delete;

    // Brings the window to the top, lets pending paints run, and copies its
    // client area. Parts outside the screen come out black.
    bool capture(HWND window, RgbImage& image, std::string& error);

private:
    class ScreenCopy;
    std::unique_ptr<ScreenCopy> copy;
    int copyWidth = 0;
    int copyHeight = 0;
    HWND raised = nullptr;
    GlWindowReader reader;
};

// One capture with resources of its own.
bool captureClientArea(HWND window, RgbImage& image, std::string& error);
