#pragma once

// EditorFrame is the panel: the one container view, which owns the child
// views, the backdrop bitmap and the native child window they are drawn in.
// It decides the drawing order (backdrop, children first added first, then
// the overlay), which child a mouse press goes to (the last added one under
// the point, edges included) and when children refresh (every editor idle,
// once the panel has been painted and while its window lives).
//
// Drawing is direct, into the window, with a context made for each paint,
// press or refresh. The frame never invalidates its window. The window itself
// is the platform's (gui/win32/EditorFrameWindow.cpp, gui/x11/...): on Windows
// the host's message loop delivers its messages; on X11 the frame has a
// display connection of its own, which pumpEvents reads at every idle.
//
// States: created and not yet painted (idle refreshes draw nothing), painted
// (idle refreshes run), closed (the host destroyed the window: nothing is
// drawn and the dead window is never touched again), gone (destructor).
// User-interface thread only.

#include <cstdint>

#include "gui/View.h"

class Bitmap;
class GuiEditor;

class EditorFrame : public View {
public:
    // Creates the frame's child window inside `parentWindow` (an HWND, or an
    // X11 Window id carried in the pointer) at once, at (0, 0) with the size of
    // `rect`. No parent window, no frame window.
    EditorFrame(const Rect& rect, void* parentWindow, GuiEditor* editor);
    // Tells the focus view it loses focus, deletes the children first added
    // first, releases the backdrop, then destroys the window if it still lives.
    ~EditorFrame() override;

    // Backdrop, then every child, then the overlay once more on top.
    void draw(GraphicsContext* context) override;
    void onMouseDown(GraphicsContext* context, Point where) override;
    // The overlay alone if there is one, else every child; nothing once closed.
    void refresh(GraphicsContext* context) override;
    // Whether the refresh pass would draw any of the views it covers.
    bool needsRefresh() const override;

    // Takes ownership of `view` and makes this frame its parent. Refuses (false)
    // a null view, a view already held, and a failed growth of the child array;
    // the caller then keeps ownership.
    virtual bool addChild(View* view);
    // Gives ownership of `view` back to the caller without telling it; a view
    // that is not held changes nothing. Answers true in both cases.
    virtual bool removeChild(View* view);

    // Retains `backdrop` (may be null) and releases the previous one.
    void setBackdrop(Bitmap* backdrop);
    // Draws `view` at once, outside a paint; the whole panel when `view` is
    // null or not a child. Nothing without a live window.
    void redrawChild(View* view);
    // The editor's idle hook: first what the window system reported for the
    // window (pumpEvents), then refreshes the children while the window lives
    // and once the panel has been painted.
    void idleRefresh();
    // Handles the paints, presses and destruction the window system reported
    // for the window since the last call. Does nothing on Windows, where the
    // host's message loop delivers them.
    void pumpEvents();
    // Puts the window above its siblings (the 3-D view), so that presses in
    // their overlap reach the panel and the view never paints over it.
    void raiseWindow();
    // Refuses (false) to replace one overlay by another; null clears it.
    bool setOverlayView(View* view);
    // The view told onFocusLost when a press falls outside it; null clears it.
    void setFocusView(View* view);

    GuiEditor* getEditor() const { return editor; }
    void* getParentWindow() const { return parentWindow; }
    // The platform's window (the HWND on Windows); null if none was created or
    // the host destroyed it.
    void* getWindow() const { return window; }
    Bitmap* getBackdrop() const { return backdrop; }
    int32_t getChildCount() const { return childCount; }
    int32_t getChildCapacity() const { return childCapacity; }
    View* getChild(int32_t index) const;
    View* getOverlayView() const { return overlayView; }
    View* getFocusView() const { return focusView; }
    bool isFirstPaintPending() const { return firstPaintPending; }
    bool isWindowOpen() const { return isOpen; }

private:
    // The native side, in EditorFrameWindow.cpp.
    void createWindow();
    void destroyWindow();
    void windowDestroyed();
    friend struct FrameWindowEvents;

    // Runs `action(data, context)` with a context drawing into the window;
    // nothing without a live window.
    void withWindowContext(void (*action)(void* data, GraphicsContext* context), void* data);

    GuiEditor* editor;
    void* parentWindow;
    Bitmap* backdrop = nullptr;
    int32_t childCount = 0;
    int32_t childCapacity = 0;
    View** children = nullptr;
    View* overlayView = nullptr;
    View* focusView = nullptr;
    bool firstPaintPending = true;
    bool isOpen = true;
    void* window = nullptr;
    // Whether this frame counts among the users of the window class.
    bool holdsWindowClass = false;
};
