#include "host/win32/DibCanvas.h"

#include <cstring>

DibCanvas::DibCanvas(int width, int height, HDC compatibleWith)
    : pixelsWide(width)
    , pixelsHigh(height)
{
    memory = CreateCompatibleDC(compatibleWith);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap = CreateDIBSection(compatibleWith, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory && bitmap && bits) {
        std::memset(bits, 0, static_cast<size_t>(width) * height * 4);
        previous = SelectObject(memory, bitmap);
    }
}

DibCanvas::~DibCanvas()
{
    if (previous)
        SelectObject(memory, previous);
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
}

COLORREF DibCanvas::colourAt(int x, int y) const
{
    const uint32_t value = pixels()[static_cast<size_t>(y) * pixelsWide + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}
