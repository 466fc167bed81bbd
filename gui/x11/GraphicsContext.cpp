// Drawing on X11: Xlib lines and fills and Xft text on the frame window's
// surface, covering the pixels GDI covers on Windows: a line leaves out its
// end point, a fill covers the inside of the outline of the same rectangle,
// and a text line is centred on the font's full height.
#include "gui/GraphicsContext.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "gui/FontTable.h"
#include "gui/x11/FrameSurface.h"

namespace {

const FrameSurface* asSurface(void* deviceContext)
{
    return static_cast<const FrameSurface*>(deviceContext);
}

// Draws the colour through Xft, which needs it as an XftColor of the visual.
struct TextColor {
    TextColor(const FrameSurface& surface, Color color)
        : surface(surface)
    {
        XRenderColor value{static_cast<unsigned short>(color.red * 257), static_cast<unsigned short>(color.green * 257),
            static_cast<unsigned short>(color.blue * 257), 0xFFFF};
        allocated = XftColorAllocValue(surface.display, surface.visual, surface.colormap, &value, &xft) != 0;
    }
    ~TextColor()
    {
        if (allocated) {
            XftColorFree(surface.display, surface.visual, surface.colormap, &xft);
        }
    }
    TextColor(const TextColor&) = delete;
    TextColor& operator=(const TextColor&) = delete;

    const FrameSurface& surface;
    XftColor xft{};
    bool allocated = false;
};

} // namespace

unsigned long pixelOf(const FrameSurface& surface, Color color)
{
    // A TrueColor visual: each channel scaled into its mask.
    auto channel = [](uint8_t value, unsigned long mask) -> unsigned long {
        if (mask == 0) {
            return 0;
        }
        int shift = 0;
        while (((mask >> shift) & 1) == 0) {
            ++shift;
        }
        const unsigned long maximum = mask >> shift;
        return ((value * maximum + 127) / 255) << shift;
    };
    const Visual* visual = surface.visual;
    return channel(color.red, visual->red_mask) | channel(color.green, visual->green_mask) |
        channel(color.blue, visual->blue_mask);
}

GraphicsContext::GraphicsContext(EditorFrame* frame, void* deviceContext, void* window)
    : deviceContext(deviceContext)
    , window(window)
    , frame(frame)
{
    setPenStyle(penStyle);
}

GraphicsContext::~GraphicsContext()
{
    if (deviceContext && font) {
        XftFontClose(asSurface(deviceContext)->display, static_cast<XftFont*>(font));
    }
}

void GraphicsContext::replaceOwned(void*& owned, void* created)
{
    if (!created) {
        return;
    }
    if (owned) {
        XftFontClose(asSurface(deviceContext)->display, static_cast<XftFont*>(owned));
    }
    owned = created;
}

void GraphicsContext::setPenColor(Color color)
{
    penColor = color;
}

void GraphicsContext::setPenStyle(int32_t style)
{
    penStyle = style;
    nativePenStyle = style == PenDotted ? LineOnOffDash : LineSolid;
    rebuildPen();
}

void GraphicsContext::rebuildPen()
{
    if (!deviceContext) {
        return;
    }
    const FrameSurface& surface = *asSurface(deviceContext);
    XSetLineAttributes(surface.display, surface.gc, 0, nativePenStyle, CapButt, JoinMiter);
    if (nativePenStyle == LineOnOffDash) {
        const char dots[] = {1, 1};
        XSetDashes(surface.display, surface.gc, 0, dots, 2);
    }
}

void GraphicsContext::setBrushColor(Color color)
{
    brushColor = color;
}

void GraphicsContext::setTextColor(Color color)
{
    textColor = color;
}

void GraphicsContext::selectFont(int32_t fontId, int32_t size)
{
    const FontSpec& entry = fontSpec(fontId);
    fontSize = size != 0 ? size : entry.size;
    if (!deviceContext) {
        return;
    }
    const FrameSurface& surface = *asSurface(deviceContext);
    // Fontconfig answers a Windows face name with its metric twin where it
    // knows one (Arial: Liberation Sans) and with its nearest face otherwise.
    XftFont* opened = XftFontOpen(surface.display, DefaultScreen(surface.display), XFT_FAMILY, XftTypeString,
        entry.face, XFT_PIXEL_SIZE, XftTypeDouble, static_cast<double>(std::abs(fontSize)), XFT_WEIGHT, XftTypeInteger,
        entry.weight >= 700 ? XFT_WEIGHT_BOLD : XFT_WEIGHT_MEDIUM, nullptr);
    replaceOwned(font, opened);
}

void GraphicsContext::moveTo(Point p)
{
    penPosition = p;
}

void GraphicsContext::lineTo(Point p)
{
    const Point from = penPosition;
    penPosition = p;
    if (!deviceContext || (from.x == p.x && from.y == p.y)) {
        return;
    }
    const FrameSurface& surface = *asSurface(deviceContext);
    XSetForeground(surface.display, surface.gc, pixelOf(surface, penColor));
    // GDI leaves out a line's last pixel; X draws it. Straight lines stop one
    // pixel short; a slanted one keeps its end pixel.
    Point to = p;
    if (from.y == p.y) {
        to.x += from.x < p.x ? -1 : 1;
    } else if (from.x == p.x) {
        to.y += from.y < p.y ? -1 : 1;
    }
    XDrawLine(surface.display, surface.window, surface.gc, from.x, from.y, to.x, to.y);
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
    if (!deviceContext || r.width() <= 1 || r.height() <= 1) {
        return;
    }
    const FrameSurface& surface = *asSurface(deviceContext);
    XSetForeground(surface.display, surface.gc, pixelOf(surface, brushColor));
    XFillRectangle(surface.display, surface.window, surface.gc, r.left + 1, r.top + 1,
        static_cast<unsigned int>(r.width() - 1), static_cast<unsigned int>(r.height() - 1));
}

void GraphicsContext::drawText(const char* text, const Rect& r, bool opaque, int32_t alignment)
{
    if (!deviceContext || !text || !font || r.width() <= 0 || r.height() <= 0) {
        return;
    }
    const FrameSurface& surface = *asSurface(deviceContext);
    XftFont* face = static_cast<XftFont*>(font);
    const auto* bytes = reinterpret_cast<const FcChar8*>(text);
    const int length = static_cast<int>(std::strlen(text));
    XGlyphInfo extents{};
    XftTextExtents8(surface.display, face, bytes, length, &extents);

    Rect box = r;
    int x = box.left;
    if (alignment == AlignCenter) {
        x = box.left + (box.width() - extents.xOff) / 2;
    } else if (alignment == AlignRight) {
        x = box.right - extents.xOff;
    } else {
        box.left += 1;
        x = box.left;
    }
    const int lineHeight = face->ascent + face->descent;
    const int top = box.top + (box.height() - lineHeight) / 2;

    // Nothing outside the box: right and bottom are outside, as in GDI.
    XRectangle clip{static_cast<short>(box.left), static_cast<short>(box.top),
        static_cast<unsigned short>(std::max(box.width(), 0)), static_cast<unsigned short>(box.height())};
    if (opaque) {
        const int left = std::max(x, box.left);
        const int right = std::min(x + extents.xOff, box.right);
        const int cellTop = std::max(top, box.top);
        const int cellBottom = std::min(top + lineHeight, box.bottom);
        if (right > left && cellBottom > cellTop) {
            XSetForeground(surface.display, surface.gc, pixelOf(surface, brushColor));
            XFillRectangle(surface.display, surface.window, surface.gc, left, cellTop,
                static_cast<unsigned int>(right - left), static_cast<unsigned int>(cellBottom - cellTop));
        }
    }
    TextColor color(surface, textColor);
    if (!color.allocated) {
        return;
    }
    XftDrawSetClipRectangles(surface.draw, 0, 0, &clip, 1);
    XftDrawString8(surface.draw, &color.xft, face, x, top + face->ascent, bytes, length);
    XftDrawSetClip(surface.draw, nullptr);
}
