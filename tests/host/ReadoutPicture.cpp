#include "tests/host/ReadoutPicture.h"

namespace {

constexpr COLORREF outlineColour = RGB(255, 0, 0);
constexpr COLORREF fillColour = RGB(0, 0, 0);
constexpr COLORREF textColour = RGB(255, 255, 255);
constexpr int textHeight = 11; // character height in pixels

// A device context on a top-down 32-bit DIB of its own, released with it.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (dc && bitmap)
            previous = SelectObject(dc, bitmap);
    }
    ~MemoryCanvas()
    {
        if (previous)
            SelectObject(dc, previous);
        if (bitmap)
            DeleteObject(bitmap);
        if (dc)
            DeleteDC(dc);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    bool ready() const { return previous != nullptr; }
    // A DIB pixel is blue, green, red, unused from the low byte up.
    COLORREF pixel(int x, int y, int width) const
    {
        const DWORD value = static_cast<const DWORD*>(bits)[y * width + x];
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }

    HDC dc = nullptr;

private:
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    void* bits = nullptr;
};

void drawBox(HDC dc)
{
    HPEN pen = CreatePen(PS_SOLID, 1, outlineColour);
    HBRUSH brush = CreateSolidBrush(fillColour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Rectangle(dc, 0, 0, ReadoutPicture::width, ReadoutPicture::height);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void drawText(HDC dc, const std::string& text)
{
    HFONT font = CreateFontA(-textHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_STRING_PRECIS,
        CLIP_STROKE_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, textColour);
    SetBkMode(dc, TRANSPARENT);
    // The text is centred in the box itself, whose right and bottom edges
    // are where the outline runs.
    RECT area{0, 0, ReadoutPicture::width - 1, ReadoutPicture::height - 1};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

} // namespace

ReadoutPicture::ReadoutPicture(const std::string& text)
{
    MemoryCanvas canvas(width, height);
    if (!canvas.ready())
        return;
    drawBox(canvas.dc);
    drawText(canvas.dc, text);
    GdiFlush();
    pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = canvas.pixel(x, y, width);
    }
}

COLORREF ReadoutPicture::at(int x, int y) const
{
    return pixels[static_cast<size_t>(y - box.top) * width + (x - box.left)];
}

int ReadoutPicture::textPixels() const
{
    int count = 0;
    for (COLORREF pixel : pixels)
        count += pixel == textColour ? 1 : 0;
    return count;
}
