#include "gui/GraphicsContext.h"

#include <windows.h>

#include <cstring>

#include "gui/FontTable.h"

namespace {

HDC asDc(void* dc)
{
    return static_cast<HDC>(dc);
}

} // namespace

GraphicsContext::GraphicsContext(EditorFrame* frame, void* deviceContext, void* window)
    : deviceContext(deviceContext)
    , window(window)
    , frame(frame)
{
    if (!deviceContext) {
        return;
    }
    HDC dc = asDc(deviceContext);
    savedBrush = GetCurrentObject(dc, OBJ_BRUSH);
    savedPen = GetCurrentObject(dc, OBJ_PEN);
    savedFont = GetCurrentObject(dc, OBJ_FONT);
    SetBkMode(dc, TRANSPARENT);
    setPenColor(penColor);
    setPenStyle(penStyle);
    setBrushColor(brushColor);
    setTextColor(textColor);
}

GraphicsContext::~GraphicsContext()
{
    if (!deviceContext) {
        return;
    }
    HDC dc = asDc(deviceContext);
    // Put the device context's own objects back first: ours may only be
    // deleted once nothing has them selected.
    if (savedBrush) {
        SelectObject(dc, savedBrush);
    }
    if (savedPen) {
        SelectObject(dc, savedPen);
    }
    if (savedFont) {
        SelectObject(dc, savedFont);
    }
    if (brush) {
        DeleteObject(brush);
    }
    if (pen) {
        DeleteObject(pen);
    }
    if (font) {
        DeleteObject(font);
    }
}

void GraphicsContext::replaceOwned(void*& owned, void* created)
{
    if (!created) {
        return;
    }
    SelectObject(asDc(deviceContext), created);
    if (owned) {
        DeleteObject(owned);
    }
    owned = created;
}

void GraphicsContext::setPenColor(Color color)
{
    penColor = color;
    rebuildPen();
}

void GraphicsContext::setPenStyle(int32_t style)
{
    penStyle = style;
    nativePenStyle = style == PenDotted ? PS_DOT : PS_SOLID;
    rebuildPen();
}

void GraphicsContext::rebuildPen()
{
    if (!deviceContext) {
        return;
    }
    LOGPEN description{};
    description.lopnStyle = static_cast<UINT>(nativePenStyle);
    description.lopnWidth.x = penWidth;
    description.lopnColor = gdiColor(penColor);
    replaceOwned(pen, CreatePenIndirect(&description));
}

void GraphicsContext::setBrushColor(Color color)
{
    brushColor = color;
    if (!deviceContext) {
        return;
    }
    SetBkColor(asDc(deviceContext), gdiColor(color));
    LOGBRUSH description{};
    description.lbStyle = BS_SOLID;
    description.lbColor = gdiColor(color);
    replaceOwned(brush, CreateBrushIndirect(&description));
}

void GraphicsContext::setTextColor(Color color)
{
    textColor = color;
    if (deviceContext) {
        SetTextColor(asDc(deviceContext), gdiColor(color));
    }
}

void GraphicsContext::selectFont(int32_t fontId, int32_t size)
{
    const FontSpec& entry = fontSpec(fontId);
    fontSize = size != 0 ? size : entry.size;
    if (!deviceContext) {
        return;
    }
    LOGFONTA description{};
    description.lfHeight = -fontSize;
    description.lfWeight = entry.weight;
    description.lfCharSet = ANSI_CHARSET;
    description.lfOutPrecision = OUT_STRING_PRECIS;
    description.lfClipPrecision = CLIP_STROKE_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = entry.pitchAndFamily;
    std::strncpy(description.lfFaceName, entry.face, LF_FACESIZE - 1);
    replaceOwned(font, CreateFontIndirectA(&description));
}

void GraphicsContext::moveTo(Point p)
{
    if (deviceContext) {
        MoveToEx(asDc(deviceContext), p.x, p.y, nullptr);
    }
}

void GraphicsContext::lineTo(Point p)
{
    if (deviceContext) {
        LineTo(asDc(deviceContext), p.x, p.y);
    }
}

void GraphicsContext::strokeRect(const Rect& r)
{
    moveTo(Point(r.left, r.top));
    lineTo(Point(r.right, r.top));
    lineTo(Point(r.right, r.bottom));
    lineTo(Point(r.left, r.bottom));
    lineTo(Point(r.left, r.top));
}

void GraphicsContext::fillRect(const Rect& r)
{
    if (!deviceContext) {
        return;
    }
    HDC dc = asDc(deviceContext);
    // GDI fills up to but not including right and bottom, so starting one pixel
    // in covers exactly the inside of the outline.
    RECT inside{r.left + 1, r.top + 1, r.right, r.bottom};
    HGDIOBJ previousPen = SelectObject(dc, GetStockObject(NULL_PEN));
    FillRect(dc, &inside, static_cast<HBRUSH>(brush));
    if (previousPen) {
        SelectObject(dc, previousPen);
    }
}

void GraphicsContext::drawText(const char* text, const Rect& r, bool opaque, int32_t alignment)
{
    if (!deviceContext || !text) {
        return;
    }
    HDC dc = asDc(deviceContext);
    RECT box{r.left, r.top, r.right, r.bottom};
    UINT format = DT_VCENTER | DT_SINGLELINE;
    if (alignment == AlignCenter) {
        format |= DT_CENTER;
    } else if (alignment == AlignRight) {
        format |= DT_RIGHT;
    } else {
        format |= DT_LEFT;
        box.left += 1;
    }
    SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
    DrawTextA(dc, text, static_cast<int>(std::strlen(text)), &box, format);
    SetBkMode(dc, TRANSPARENT);
}
