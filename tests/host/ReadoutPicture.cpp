#include "tests/host/ReadoutPicture.h"

#include "host/win32/DibCanvas.h"

namespace {

constexpr COLORREF outlineColour = RGB(255, 0, 0);
constexpr COLORREF fillColour = RGB(0, 0, 0);
constexpr COLORREF textColour = RGB(255, 255, 255);
constexpr int textHeight = 11; // character height in pixels

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
    DibCanvas canvas(width, height);
    if (!canvas.ready())
        return;
    drawBox(canvas.dc());
    drawText(canvas.dc(), text);
    GdiFlush();
    pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = canvas.colourAt(x, y);
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
