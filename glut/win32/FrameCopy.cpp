#include "glut/win32/FrameCopy.h"

#include "glut/gl.h"
#include "glut/win32/KeyMessages.h"

#include <new>

#ifndef GL_BGRA_EXT
#define GL_BGRA_EXT 0x80E1
#endif

struct FrameCopy {
    HWND hwnd = nullptr; // null once the window is gone
    HDC memory = nullptr; // holds `bitmap` selected
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    void* bits = nullptr;
    int bitmapWidth = 0;
    int bitmapHeight = 0;
    int width = 0; // the window's size
    int height = 0;
};

namespace {

const wchar_t* const className = L"QarnGlutFrameCopy";
int liveCopies = 0;

HINSTANCE ownModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&createFrameCopy), &module);
    return module;
}

void releaseBitmap(FrameCopy& copy)
{
    if (copy.memory != nullptr) {
        if (copy.previousBitmap != nullptr)
            SelectObject(copy.memory, copy.previousBitmap);
        DeleteDC(copy.memory);
    }
    if (copy.bitmap != nullptr)
        DeleteObject(copy.bitmap);
    copy.memory = nullptr;
    copy.bitmap = nullptr;
    copy.previousBitmap = nullptr;
    copy.bits = nullptr;
    copy.bitmapWidth = 0;
    copy.bitmapHeight = 0;
}

// A 32-bit bitmap with its rows from the bottom up, as glReadPixels gives them,
// so a frame lands in it without being turned over.
bool makeBitmap(FrameCopy& copy, int width, int height)
{
    releaseBitmap(copy);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    copy.memory = CreateCompatibleDC(nullptr);
    copy.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &copy.bits, nullptr, 0);
    if (copy.memory == nullptr || copy.bitmap == nullptr || copy.bits == nullptr) {
        releaseBitmap(copy);
        return false;
    }
    copy.previousBitmap = SelectObject(copy.memory, copy.bitmap);
    copy.bitmapWidth = width;
    copy.bitmapHeight = height;
    return true;
}

void show(const FrameCopy& copy, HDC target)
{
    if (copy.memory != nullptr)
        BitBlt(target, 0, 0, copy.bitmapWidth, copy.bitmapHeight, copy.memory, 0, 0, SRCCOPY);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* copy = reinterpret_cast<FrameCopy*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (copy == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (isKeyMessage(message))
        return passKeyToParent(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (HDC dc = BeginPaint(hwnd, &paint))
            show(*copy, dc);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND: return 1; // the frame covers every pixel
    case WM_NCHITTEST: return HTTRANSPARENT; // clicks belong to the windows below
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        copy->hwnd = nullptr;
        break;
    default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool registerClass()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = ownModule();
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

FrameCopy* createFrameCopy(HWND glWindow, int width, int height)
{
    if (glWindow == nullptr || !registerClass())
        return nullptr;
    FrameCopy* copy = new (std::nothrow) FrameCopy;
    if (copy == nullptr)
        return nullptr;
    ++liveCopies;
    copy->width = width;
    copy->height = height;
    copy->hwnd = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, width, height,
        glWindow, nullptr, ownModule(), copy);
    if (copy->hwnd == nullptr) {
        destroyFrameCopy(copy);
        return nullptr;
    }
    return copy;
}

void destroyFrameCopy(FrameCopy* copy)
{
    if (copy == nullptr)
        return;
    if (copy->hwnd != nullptr) {
        // Messages sent while the window goes must no longer find the record.
        SetWindowLongPtrW(copy->hwnd, GWLP_USERDATA, 0);
        DestroyWindow(copy->hwnd);
    }
    releaseBitmap(*copy);
    delete copy;
    if (--liveCopies == 0)
        UnregisterClassW(className, ownModule());
}

void resizeFrameCopy(FrameCopy* copy, int width, int height)
{
    copy->width = width;
    copy->height = height;
    if (copy->hwnd != nullptr)
        SetWindowPos(copy->hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void presentFrameCopy(FrameCopy* copy)
{
    if (copy->hwnd == nullptr || copy->width <= 0 || copy->height <= 0)
        return;
    if ((copy->bitmapWidth != copy->width || copy->bitmapHeight != copy->height) &&
        !makeBitmap(*copy, copy->width, copy->height))
        return;
    // GDI may still be reading the bitmap for the last frame.
    GdiFlush();
    // Leaves the window's own pixel-store and read-buffer state as it was.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPushAttrib(GL_PIXEL_MODE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, copy->width, copy->height, GL_BGRA_EXT, GL_UNSIGNED_BYTE, copy->bits);
    glPopAttrib();
    glPopClientAttrib();
    if (HDC dc = GetDC(copy->hwnd)) {
        show(*copy, dc);
        ReleaseDC(copy->hwnd, dc);
    }
}
