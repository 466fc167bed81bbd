#include "tests/support/Win32Window.h"

namespace {
const char* hostWindowClass()
{
    static const char* name = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        windowClass.lpszClassName = "QarnTestHost";
        RegisterClassA(&windowClass);
        return "QarnTestHost";
    }();
    return name;
}
BOOL CALLBACK countWindow(HWND, LPARAM counter)
{
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

BOOL CALLBACK countWindowAndChildren(HWND window, LPARAM counter)
{
    countWindow(window, counter);
    EnumChildWindows(window, countWindow, counter);
    return TRUE;
}
} // namespace

void TestWindow::create(int width, int height)
{
    destroy();
    window = CreateWindowExA(WS_EX_NOACTIVATE, hostWindowClass(), "host", WS_POPUP | WS_CLIPCHILDREN, 40, 40, width,
        height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    pumpMessages();
}

void TestWindow::destroy()
{
    if (window) {
        DestroyWindow(window);
        window = nullptr;
        pumpMessages();
    }
}

HGLRC createGlContext(HDC dc, int depthBits)
{
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 24;
    format.cDepthBits = static_cast<BYTE>(depthBits);
    if (!SetPixelFormat(dc, ChoosePixelFormat(dc, &format), &format))
        return nullptr;
    return wglCreateContext(dc);
}

int countThreadWindows()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindowAndChildren, reinterpret_cast<LPARAM>(&count));
    return count;
}

void pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void repaint(void* window)
{
    InvalidateRect(static_cast<HWND>(window), nullptr, FALSE);
    UpdateWindow(static_cast<HWND>(window));
}

void click(void* window, UINT message, int x, int y)
{
    PostMessageA(static_cast<HWND>(window), message, 0, MAKELPARAM(x, y));
    pumpMessages();
}

COLORREF clientPixel(void* window, int x, int y)
{
    HDC dc = GetDC(static_cast<HWND>(window));
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(static_cast<HWND>(window), dc);
    return color;
}
