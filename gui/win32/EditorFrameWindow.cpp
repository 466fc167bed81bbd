// The native side of EditorFrame: its child window and the window procedure
// that turns paint and mouse-button messages into calls on the frame. Keys
// belong to the host: the panel uses none, never takes the focus, and hands
// any key message that reaches it to the host's window.

#include <windows.h>

#include "gui/EditorFrame.h"
#include "gui/win32/FrameWindowClass.h"
#include "gui/GraphicsContext.h"
#include "gui/ModuleHandle.h"

struct FrameWindowEvents {
    static LRESULT CALLBACK handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void paint(EditorFrame* frame, HWND window);
    static void press(EditorFrame* frame, HWND window, LPARAM lParam);
};

void EditorFrame::createWindow()
{
    if (!parentWindow) {
        return;
    }
    const char* className = acquireFrameWindowClass(&FrameWindowEvents::handle);
    holdsWindowClass = true;
    HWND created = CreateWindowExA(0, className, "Window", WS_CHILD | WS_VISIBLE, 0, 0, rect.width(), rect.height(),
        static_cast<HWND>(parentWindow), nullptr, static_cast<HINSTANCE>(moduleInstance()), nullptr);
    if (!created) {
        releaseFrameWindowClass();
        holdsWindowClass = false;
        return;
    }
    window = created;
    SetWindowLongPtrA(created, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void EditorFrame::destroyWindow()
{
    if (window) {
        HWND handle = static_cast<HWND>(window);
        window = nullptr;
        // Messages sent while the window goes must no longer find this frame.
        SetWindowLongPtrA(handle, GWLP_USERDATA, 0);
        DestroyWindow(handle);
    }
    if (holdsWindowClass) {
        holdsWindowClass = false;
        releaseFrameWindowClass();
    }
}

void EditorFrame::withWindowContext(void (*action)(void* data, GraphicsContext* context), void* data)
{
    if (!window || !isOpen) {
        return;
    }
    HWND handle = static_cast<HWND>(window);
    HDC dc = GetDC(handle);
    if (!dc) {
        return;
    }
    {
        GraphicsContext context(this, dc, handle);
        action(data, &context);
    }
    ReleaseDC(handle, dc);
}

void EditorFrame::pumpEvents()
{
}

void EditorFrame::raiseWindow()
{
    if (window) {
        SetWindowPos(static_cast<HWND>(window), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void EditorFrame::windowDestroyed()
{
    isOpen = false;
    parentWindow = nullptr;
    // The handle may soon name someone else's window: forget it.
    window = nullptr;
}

LRESULT CALLBACK FrameWindowEvents::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* frame = reinterpret_cast<EditorFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST) {
        if (HWND parent = GetParent(window))
            return SendMessageA(parent, message, wParam, lParam);
    }
    if (frame) {
        switch (message) {
        case WM_PAINT: paint(frame, window); break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: press(frame, window, lParam); break;
        case WM_DESTROY: frame->windowDestroyed(); break;
        default: break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void FrameWindowEvents::paint(EditorFrame* frame, HWND window)
{
    RECT update;
    if (!GetUpdateRect(window, &update, FALSE)) {
        return;
    }
    PAINTSTRUCT paintStruct;
    HDC dc = BeginPaint(window, &paintStruct);
    if (dc) {
        GraphicsContext context(frame, dc, window);
        frame->draw(&context);
    }
    EndPaint(window, &paintStruct);
}

void FrameWindowEvents::press(EditorFrame* frame, HWND window, LPARAM lParam)
{
    HDC dc = GetDC(window);
    if (!dc) {
        return;
    }
    // Both coordinates as unsigned 16-bit values, as the message carries them.
    Point where(static_cast<int32_t>(LOWORD(lParam)), static_cast<int32_t>(HIWORD(lParam)));
    {
        GraphicsContext context(frame, dc, window);
        frame->onMouseDown(&context, where);
    }
    ReleaseDC(window, dc);
}
