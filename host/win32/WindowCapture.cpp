#include "host/win32/WindowCapture.h"

#include "host/win32/DibCanvas.h"
#include "host/win32/GlWindowReadback.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

// The screen's device context, and a picture of the window's size to copy it into.
class WindowCapture::ScreenCopy {
public:
    ScreenCopy(int width, int height)
        : screen(GetDC(nullptr))
        , canvas(width, height, screen)
    {
    }
    ~ScreenCopy()
    {
        if (screen)
            ReleaseDC(nullptr, screen);
    }
    ScreenCopy(const ScreenCopy&) = delete;
    ScreenCopy& operator=(const ScreenCopy&) = delete;

    bool ready() const { return screen && canvas.ready(); }

    HDC screen;
    DibCanvas canvas;
};

namespace {

// Where the child shows inside `parent`'s client area: its rectangle less the
// visible siblings above it.
HRGN visiblePart(HWND parent, HWND child)
{
    RECT clientArea{};
    GetClientRect(parent, &clientArea);
    RECT placed{};
    GetWindowRect(child, &placed);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&placed), 2);
    HRGN region = CreateRectRgnIndirect(&placed);
    HRGN clip = CreateRectRgnIndirect(&clientArea);
    CombineRgn(region, region, clip, RGN_AND);
    for (HWND above = GetWindow(child, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        if (!IsWindowVisible(above) || GetParent(above) != GetParent(child))
            continue;
        RECT covering{};
        GetWindowRect(above, &covering);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&covering), 2);
        SetRectRgn(clip, covering.left, covering.top, covering.right, covering.bottom);
        CombineRgn(region, region, clip, RGN_DIFF);
    }
    DeleteObject(clip);
    return region;
}

std::vector<RECT> rectanglesOf(HRGN region)
{
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<unsigned char> data(size);
    auto* regionData = reinterpret_cast<RGNDATA*>(data.data());
    if (!size || !GetRegionData(region, size, regionData))
        return {};
    const RECT* rects = reinterpret_cast<const RECT*>(regionData->Buffer);
    return std::vector<RECT>(rects, rects + regionData->rdh.nCount);
}

// Copies the visible part of one OpenGL child's last frame into the picture.
void pasteOpenGlChild(HWND parent, HWND child, GlWindowReader& reader, RgbImage& image)
{
    RgbImage frame;
    if (!IsWindowVisible(child) || !reader.read(child, frame))
        return;
    POINT origin{0, 0};
    MapWindowPoints(child, parent, &origin, 1);
    HRGN region = visiblePart(parent, child);
    for (const RECT& rect : rectanglesOf(region)) {
        // The part of the rectangle that both pictures hold.
        const int left = std::max<int>({rect.left, origin.x, 0});
        const int right = std::min<int>({rect.right, origin.x + frame.width, image.width});
        const int top = std::max<int>({rect.top, origin.y, 0});
        const int bottom = std::min<int>({rect.bottom, origin.y + frame.height, image.height});
        for (int y = top; y < bottom && left < right; ++y) {
            const uint8_t* source =
                &frame.pixels[(static_cast<size_t>(y - origin.y) * frame.width + (left - origin.x)) * 3];
            uint8_t* target = &image.pixels[(static_cast<size_t>(y) * image.width + left) * 3];
            std::memcpy(target, source, static_cast<size_t>(right - left) * 3);
        }
    }
    DeleteObject(region);
}

BOOL CALLBACK collectOpenGl(HWND child, LPARAM list)
{
    if (hasOpenGlPixelFormat(child))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

} // namespace

WindowCapture::WindowCapture() = default;
WindowCapture::~WindowCapture() = default;

bool WindowCapture::capture(HWND window, RgbImage& image, std::string& error)
{
    if (!window || !IsWindow(window)) {
        error = "there is no window to capture";
        return false;
    }
    // Raising a window costs a round trip to the display; a render captures
    // the same window on every frame and nothing else comes above it.
    if (window != raised) {
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        raised = window;
    }
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();

    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) {
        error = "the window has an empty client area";
        return false;
    }
    POINT origin{0, 0};
    ClientToScreen(window, &origin);

    if (!copy || copyWidth != width || copyHeight != height) {
        copy.reset();
        copy = std::make_unique<ScreenCopy>(width, height);
        copyWidth = width;
        copyHeight = height;
    }
    if (!copy->ready()) {
        error = "out of GDI resources for a " + std::to_string(width) + " x " + std::to_string(height) + " capture";
        return false;
    }
    std::memset(copy->canvas.pixels(), 0, static_cast<size_t>(width) * height * 4);

    // Under Wine the OpenGL children are read back through OpenGL, so the
    // screen is copied only around them: copying the screen is most of what
    // a capture costs.
    std::vector<HWND> openGl;
    if (runningUnderWine())
        EnumChildWindows(window, collectOpenGl, reinterpret_cast<LPARAM>(&openGl));
    HRGN fromScreen = CreateRectRgn(0, 0, width, height);
    for (HWND child : openGl) {
        HRGN shown = visiblePart(window, child);
        CombineRgn(fromScreen, fromScreen, shown, RGN_DIFF);
        DeleteObject(shown);
    }
    const std::vector<RECT> screenParts = rectanglesOf(fromScreen);
    DeleteObject(fromScreen);
    for (const RECT& part : screenParts) {
        if (!BitBlt(copy->canvas.dc(), part.left, part.top, part.right - part.left, part.bottom - part.top,
                copy->screen, origin.x + part.left, origin.y + part.top, SRCCOPY | CAPTUREBLT)) {
            error = "the screen could not be copied (Windows error " + std::to_string(GetLastError()) + ")";
            return false;
        }
    }
    GdiFlush();

    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height * 3);
    const auto* source = reinterpret_cast<const unsigned char*>(copy->canvas.pixels());
    for (size_t i = 0, count = static_cast<size_t>(width) * height; i < count; ++i) {
        // The DIB holds blue, green, red, unused.
        image.pixels[i * 3] = source[i * 4 + 2];
        image.pixels[i * 3 + 1] = source[i * 4 + 1];
        image.pixels[i * 3 + 2] = source[i * 4];
    }
    for (HWND child : openGl)
        pasteOpenGlChild(window, child, reader, image);
    return true;
}

bool captureClientArea(HWND window, RgbImage& image, std::string& error)
{
    WindowCapture capture;
    return capture.capture(window, image, error);
}
