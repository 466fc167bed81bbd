#include "host/win32/WindowCapture.h"

#include "host/win32/GlWindowReadback.h"

#include <cstring>
#include <vector>

namespace {

// A 32-bit top-down DIB section selected into a memory DC, released in reverse order.
class ScreenCopy {
public:
    ScreenCopy(int width, int height)
        : screen(GetDC(nullptr))
    {
        memory = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (memory && bitmap) {
            std::memset(bits, 0, static_cast<size_t>(width) * height * 4);
            previous = SelectObject(memory, bitmap);
        }
    }
    ~ScreenCopy()
    {
        if (previous)
            SelectObject(memory, previous);
        if (bitmap)
            DeleteObject(bitmap);
        if (memory)
            DeleteDC(memory);
        if (screen)
            ReleaseDC(nullptr, screen);
    }
    ScreenCopy(const ScreenCopy&) = delete;
    ScreenCopy& operator=(const ScreenCopy&) = delete;

    bool ready() const { return screen && memory && bitmap && bits; }

    HDC screen = nullptr;
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    void* bits = nullptr;
};

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

// Copies the visible part of one OpenGL child's last frame into the picture.
void pasteOpenGlChild(HWND parent, HWND child, RgbImage& image)
{
    RgbImage frame;
    if (!IsWindowVisible(child) || !readOpenGlWindow(child, frame))
        return;
    POINT origin{0, 0};
    MapWindowPoints(child, parent, &origin, 1);
    HRGN region = visiblePart(parent, child);
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<unsigned char> data(size);
    auto* regionData = reinterpret_cast<RGNDATA*>(data.data());
    if (size && GetRegionData(region, size, regionData)) {
        const RECT* rects = reinterpret_cast<const RECT*>(regionData->Buffer);
        for (DWORD r = 0; r < regionData->rdh.nCount; ++r) {
            for (int y = rects[r].top; y < rects[r].bottom; ++y) {
                for (int x = rects[r].left; x < rects[r].right; ++x) {
                    const int fx = x - origin.x;
                    const int fy = y - origin.y;
                    if (fx < 0 || fy < 0 || fx >= frame.width || fy >= frame.height || x >= image.width ||
                        y >= image.height)
                        continue;
                    const uint8_t* source = &frame.pixels[(static_cast<size_t>(fy) * frame.width + fx) * 3];
                    uint8_t* target = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 3];
                    target[0] = source[0];
                    target[1] = source[1];
                    target[2] = source[2];
                }
            }
        }
    }
    DeleteObject(region);
}

struct PasteJob {
    HWND parent;
    RgbImage* image;
};

BOOL CALLBACK pasteIfOpenGl(HWND child, LPARAM job)
{
    auto* paste = reinterpret_cast<PasteJob*>(job);
    if (hasOpenGlPixelFormat(child))
        pasteOpenGlChild(paste->parent, child, *paste->image);
    return TRUE;
}

} // namespace

bool captureClientArea(HWND window, RgbImage& image, std::string& error)
{
    if (!window || !IsWindow(window)) {
        error = "there is no window to capture";
        return false;
    }
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
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

    ScreenCopy copy(width, height);
    if (!copy.ready()) {
        error = "out of GDI resources for a " + std::to_string(width) + " x " + std::to_string(height) + " capture";
        return false;
    }
    if (!BitBlt(copy.memory, 0, 0, width, height, copy.screen, origin.x, origin.y, SRCCOPY | CAPTUREBLT)) {
        error = "the screen could not be copied (Windows error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    GdiFlush();

    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height * 3);
    const auto* source = static_cast<const unsigned char*>(copy.bits);
    for (size_t i = 0, count = static_cast<size_t>(width) * height; i < count; ++i) {
        // The DIB holds blue, green, red, unused.
        image.pixels[i * 3] = source[i * 4 + 2];
        image.pixels[i * 3 + 1] = source[i * 4 + 1];
        image.pixels[i * 3 + 2] = source[i * 4];
    }
    if (runningUnderWine()) {
        PasteJob job{window, &image};
        EnumChildWindows(window, pasteIfOpenGl, reinterpret_cast<LPARAM>(&job));
    }
    return true;
}
