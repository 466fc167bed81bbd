#include "glut/win32/FrameCopy.h"

#include "glut/gl.h"
#include "glut/win32/KeyMessages.h"

#include <new>

#ifndef GL_BGRA_EXT
#define GL_BGRA_EXT 0x80E1
#endif

// The last frame, in a memory DC that holds `bitmap` selected.
struct FrameBitmap {
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    void* bits = nullptr;
    int width = 0;
    int height = 0;
};

struct FrameCopy {
    HWND hwnd = nullptr; // null once the window is gone
    FrameBitmap frame;
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

void releaseBitmap(FrameBitmap& frame)
{
    if (frame.memory != nullptr) {
        if (frame.previous != nullptr)
            SelectObject(frame.memory, frame.previous);
        DeleteDC(frame.memory);
    }
    if (frame.bitmap != nullptr)
        DeleteObject(frame.bitmap);
    frame = FrameBitmap{};
}

// A 32-bit bitmap with its rows from the bottom up, as glReadPixels gives them,
// so a frame lands in it without being turned over.
bool makeBitmap(FrameBitmap& frame, int width, int height)
{
    releaseBitmap(frame);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    frame.memory = CreateCompatibleDC(nullptr);
    frame.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &frame.bits, nullptr, 0);
    if (frame.memory == nullptr || frame.bitmap == nullptr || frame.bits == nullptr) {
        releaseBitmap(frame);
        return false;
    }
    frame.previous = SelectObject(frame.memory, frame.bitmap);
    frame.width = width;
    frame.height = height;
    return true;
}

void show(const FrameBitmap& frame, HDC target)
{
    if (frame.memory != nullptr)
        BitBlt(target, 0, 0, frame.width, frame.height, frame.memory, 0, 0, SRCCOPY);
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
            show(copy->frame, dc);
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
    releaseBitmap(copy->frame);
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
    FrameBitmap& frame = copy->frame;
    if ((frame.width != copy->width || frame.height != copy->height) && !makeBitmap(frame, copy->width, copy->height))
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
    glReadPixels(0, 0, copy->width, copy->height, GL_BGRA_EXT, GL_UNSIGNED_BYTE, frame.bits);
    glPopAttrib();
    glPopClientAttrib();
    if (HDC dc = GetDC(copy->hwnd)) {
        show(frame, dc);
        ReleaseDC(copy->hwnd, dc);
    }
}
