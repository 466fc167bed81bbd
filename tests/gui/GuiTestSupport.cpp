#include "GuiTestSupport.h"

#include <windows.h>

#include <cstdio>
#include <ostream>

#include "gui/win32/FrameWindowClass.h"
#include "gui/GraphicsContext.h"
#include "gui/ModuleHandle.h"
#include "tests/support/GdiCallLog.h"

bool operator==(Color a, Color b)
{
    return sameRgb(a, b);
}

std::ostream& operator<<(std::ostream& out, Color c)
{
    return out << "rgb(" << int(c.red) << "," << int(c.green) << "," << int(c.blue) << ")";
}

namespace {

Color fromColorref(COLORREF value)
{
    return Color{GetRValue(value), GetGValue(value), GetBValue(value), 0};
}

} // namespace

PixelCanvas::PixelCanvas(int width, int height, Color background)
    : width(width)
    , height(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    memoryDc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(static_cast<HDC>(memoryDc), &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<uint32_t*>(pixels);
    previousBitmap = SelectObject(static_cast<HDC>(memoryDc), bitmap);
    uint32_t fill = uint32_t(background.red) << 16 | uint32_t(background.green) << 8 | background.blue;
    for (int i = 0; i < width * height; ++i) {
        bits[i] = fill;
    }
}

PixelCanvas::~PixelCanvas()
{
    SelectObject(static_cast<HDC>(memoryDc), previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(static_cast<HDC>(memoryDc));
}

Color PixelCanvas::pixel(int x, int y) const
{
    GdiFlush();
    uint32_t value = bits[y * width + x];
    return Color{uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value), 0};
}

int PixelCanvas::count(Color color, int left, int top, int right, int bottom) const
{
    int found = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            found += pixel(x, y) == color ? 1 : 0;
        }
    }
    return found;
}

Color windowPixel(void* window, int x, int y)
{
    return fromColorref(clientPixel(window, x, y));
}

std::string expectedFrameClassName()
{
    char name[frameWindowClassNameSize];
    formatFrameWindowClassName(GetModuleHandleA(nullptr), name);
    return name;
}

bool frameClassRegistered()
{
    WNDCLASSA windowClass;
    return GetClassInfoA(GetModuleHandleA(nullptr), expectedFrameClassName().c_str(), &windowClass) != 0;
}

RecordingView::RecordingView(const Rect& rect, std::string name, EventLog* log, Color color)
    : View(rect)
    , name(std::move(name))
    , log(log)
    , color(color)
{
}

RecordingView::~RecordingView()
{
    log->push_back("deleted " + name);
}

void RecordingView::draw(GraphicsContext* context)
{
    log->push_back("draw " + name);
    context->setBrushColor(color);
    context->fillRect(rect);
}

void RecordingView::onMouseDown(GraphicsContext*, Point where)
{
    log->push_back("press " + name + " " + std::to_string(where.x) + "," + std::to_string(where.y));
}

void RecordingView::refresh(GraphicsContext*)
{
    log->push_back("refresh " + name);
}

void RecordingView::onFocusLost()
{
    log->push_back("focusLost " + name);
}

void GuiTest::SetUp()
{
    ASSERT_TRUE(gdiLog::install());
    setModuleInstance(GetModuleHandleA(nullptr));
}
