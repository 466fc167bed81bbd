// GLUT windows on Windows: a child window of the host's window with its own
// DC and WGL context.
//
// The window procedure only records what happened (a paint, a new size); the
// callbacks run later, in glutMainLoopUpdate. We never read or dispatch
// messages ourselves: the host's message loop delivers ours along with its
// own, and pumping its queue from a plug-in would run its handlers at times
// it does not expect.
#include "glut/GlutBackend.h"

#include <windows.h>

#include <cstdlib>
#include <new>

#include "glut/PresentMode.h"
#include "glut/gl.h"
#include "glut/glut.h"
#include "glut/win32/FrameCopy.h"
#include "glut/win32/KeyMessages.h"
#include "glut/win32/WglWake.h"

struct NativeWindow {
    HWND hwnd = nullptr; // null once the window is gone (the host may destroy
    HDC dc = nullptr; // its own window, and ours with it, before close)
    HGLRC context = nullptr;
    bool doubleBuffered = false;
    bool backKeepsFrame = false; // the back buffer still holds the frame after a swap
    FrameCopy* frameCopy = nullptr; // set when frames are presented by copy instead of a swap
    bool needsPaint = false;
    bool sizeChanged = false;
    int width = 0;
    int height = 0;
};

namespace {

const wchar_t* const className = L"QarnGlutWindow";
int liveWindows = 0;

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* window = reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (isKeyMessage(message)) {
        return passKeyToParent(hwnd, message, wParam, lParam);
    }
    if (handleWakeMessage(hwnd, window, message, wParam)) {
        return 0;
    }
    switch (message) {
    case WM_PAINT:
        ValidateRect(hwnd, nullptr);
        window->needsPaint = true;
        return 0;
    case WM_ERASEBKGND: return 1; // GL paints every pixel; erasing first would only flicker
    case WM_SIZE:
        window->width = LOWORD(lParam);
        window->height = HIWORD(lParam);
        window->sizeChanged = true;
        if (window->frameCopy != nullptr) {
            resizeFrameCopy(window->frameCopy, window->width, window->height);
        }
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        window->hwnd = nullptr;
        window->dc = nullptr; // a class DC goes with its window
        break;
    default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The module this code is linked into (the plug-in DLL, or a test program):
// the window class belongs to it.
HINSTANCE ownModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&windowProc), &module);
    return module;
}

bool registerClass()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_OWNDC; // GL needs the same DC for the window's whole life
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = ownModule();
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Sets an RGBA pixel format with 8 bits per colour channel, double-buffered
// and with a depth buffer if the display mode asks, and checks what Windows
// actually chose.
bool setPixelFormat(NativeWindow& window, unsigned int displayMode)
{
    const bool wantDouble = (displayMode & GLUT_DOUBLE) != 0;
    const bool wantDepth = (displayMode & GLUT_DEPTH) != 0;
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | (wantDouble ? PFD_DOUBLEBUFFER : 0);
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 24;
    wanted.cDepthBits = wantDepth ? 24 : 0;
    wanted.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(window.dc, &wanted);
    PIXELFORMATDESCRIPTOR got{};
    if (format == 0 || DescribePixelFormat(window.dc, format, sizeof got, &got) == 0) {
        return false;
    }
    const DWORD needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | (wantDouble ? PFD_DOUBLEBUFFER : 0);
    if ((got.dwFlags & needed) != needed || got.iPixelType != PFD_TYPE_RGBA || got.cRedBits < 8 || got.cGreenBits < 8 ||
        got.cBlueBits < 8 || (wantDepth && got.cDepthBits < 16)) {
        return false;
    }
    window.doubleBuffered = (got.dwFlags & PFD_DOUBLEBUFFER) != 0;
    window.backKeepsFrame = window.doubleBuffered && (got.dwFlags & PFD_SWAP_EXCHANGE) == 0;
    return SetPixelFormat(window.dc, format, &got) != FALSE;
}

bool runningUnderWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Only a double-buffered window has a finished frame to copy: a single-buffered
// one draws straight into what it shows.
void choosePresentation(NativeWindow& window, int width, int height)
{
    if (window.doubleBuffered && choosePresentMode(std::getenv(presentModeVariable), runningUnderWine()) ==
            PresentMode::Copy) {
        window.frameCopy = createFrameCopy(window.hwnd, width, height);
    }
}

} // namespace

NativeWindow* backendCreateWindow(void* parent, int x, int y, int width, int height, unsigned int displayMode)
{
    HWND parentWindow = static_cast<HWND>(parent);
    if (parentWindow == nullptr || !IsWindow(parentWindow) || !registerClass()) {
        return nullptr;
    }
    NativeWindow* window = new (std::nothrow) NativeWindow;
    if (window == nullptr) {
        return nullptr;
    }
    ++liveWindows;
    window->hwnd = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y,
        width, height, parentWindow, nullptr, ownModule(), window);
    const SavedContext before = backendCurrentContext();
    if (window->hwnd != nullptr) {
        window->dc = GetDC(window->hwnd);
    }
    if (window->dc != nullptr && setPixelFormat(*window, displayMode)) {
        window->context = wglCreateContext(window->dc);
    }
    if (window->context != nullptr && wglMakeCurrent(window->dc, window->context)) {
        choosePresentation(*window, width, height);
        return window;
    }
    backendDestroyWindow(window);
    backendRestoreContext(before);
    return nullptr;
}

void backendDestroyWindow(NativeWindow* window)
{
    if (window == nullptr) {
        return;
    }
    destroyFrameCopy(window->frameCopy);
    window->frameCopy = nullptr;
    if (window->context != nullptr) {
        if (wglGetCurrentContext() == window->context) {
            wglMakeCurrent(nullptr, nullptr);
        }
        wglDeleteContext(window->context);
    }
    if (window->hwnd != nullptr) {
        if (window->dc != nullptr) {
            ReleaseDC(window->hwnd, window->dc);
        }
        DestroyWindow(window->hwnd);
    }
    delete window;
    if (--liveWindows == 0) {
        UnregisterClassW(className, ownModule());
    }
}

SavedContext backendCurrentContext()
{
    SavedContext saved;
    saved.context = wglGetCurrentContext();
    saved.drawSurface = wglGetCurrentDC();
    return saved;
}

void backendRestoreContext(const SavedContext& saved)
{
    if (wglGetCurrentContext() == saved.context && wglGetCurrentDC() == saved.drawSurface) {
        return;
    }
    if (saved.context == nullptr) {
        wglMakeCurrent(nullptr, nullptr);
    } else {
        wglMakeCurrent(static_cast<HDC>(saved.drawSurface), static_cast<HGLRC>(saved.context));
    }
}

bool backendContextBelongsTo(const SavedContext& saved, const NativeWindow* window)
{
    return window != nullptr && saved.context != nullptr && saved.context == window->context;
}

bool backendMakeCurrent(NativeWindow* window)
{
    if (window->hwnd == nullptr || window->dc == nullptr) {
        return false;
    }
    if (wglGetCurrentContext() == window->context && wglGetCurrentDC() == window->dc) {
        return true;
    }
    return wglMakeCurrent(window->dc, window->context) != FALSE;
}

void backendSwapBuffers(NativeWindow* window)
{
    if (window->dc == nullptr) {
        return;
    }
    if (window->frameCopy != nullptr) {
        presentFrameCopy(window->frameCopy);
    } else if (window->doubleBuffered) {
        SwapBuffers(window->dc);
    } else {
        glFlush();
    }
}

WindowEvents backendTakeEvents(NativeWindow* window)
{
    WindowEvents events;
    events.needsPaint = window->needsPaint;
    events.sizeChanged = window->sizeChanged;
    events.width = window->width;
    events.height = window->height;
    window->needsPaint = false;
    window->sizeChanged = false;
    return events;
}

void backendRequestSize(NativeWindow* window, int width, int height)
{
    if (window->hwnd != nullptr) {
        // Windows answers with WM_SIZE, which the window procedure records.
        SetWindowPos(window->hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Under Wine the front buffer of a child window reads back black, while the
// back buffer keeps the frame: Wine, like Windows' own software GL, copies it
// to the window on a swap. A driver that exchanges the buffers says so with
// PFD_SWAP_EXCHANGE, and then only the front buffer holds the frame. Frames
// presented by copy are never swapped and stay in the back buffer.
unsigned int backendShownBuffer(const NativeWindow* window)
{
    return window->backKeepsFrame || window->frameCopy != nullptr ? GL_BACK : GL_FRONT;
}

void* backendWakeTarget(NativeWindow* window)
{
    return window != nullptr ? wakeTargetOf(window->hwnd) : nullptr;
}

void backendWakeAfter(NativeWindow* window, int milliseconds)
{
    if (window->hwnd != nullptr) {
        wakeAfter(window->hwnd, milliseconds);
    }
}
