#pragma once
// A memory device context drawing into a 32-bit top-down DIB section of its
// own, so that its pixels can be read directly: a screen copy is blitted into
// one, a picture to compare with is drawn into one. Created cleared to black;
// released in reverse order. User-interface thread only.
#include <windows.h>

#include <cstdint>

class DibCanvas {
public:
    // `compatibleWith` is the device context the memory one is made for (null:
    // the screen).
    DibCanvas(int width, int height, HDC compatibleWith = nullptr);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    bool ready() const { return previous != nullptr; }
    HDC dc() const { return memory; }
    int width() const { return pixelsWide; }
    int height() const { return pixelsHigh; }
    // Rows from the top, each pixel blue, green, red and an unused byte from
    // the low byte up. Read after GdiFlush, once the drawing has landed.
    const uint32_t* pixels() const { return static_cast<const uint32_t*>(bits); }
    uint32_t* pixels() { return static_cast<uint32_t*>(bits); }
    // The pixel at (x, y) as a COLORREF.
    COLORREF colourAt(int x, int y) const;

private:
    int pixelsWide;
    int pixelsHigh;
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    void* bits = nullptr;
};
