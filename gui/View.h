#pragma once

// View is the base of everything drawn in the panel: a rectangle in the frame
// window with operations for drawing, mouse presses and the idle refresh pass.
// Every operation does nothing here; the controls override what they need.
// A view belongs to the EditorFrame it was added to, which deletes it.

#include "gui/Point.h"
#include "gui/Rect.h"

class EditorFrame;
class GraphicsContext;

class View {
public:
    explicit View(const Rect& rect);
    virtual ~View();

    View(const View&) = delete;
    View& operator=(const View&) = delete;

    virtual void draw(GraphicsContext* context);
    // A left or right mouse button went down at `where` (window coordinates).
    virtual void onMouseDown(GraphicsContext* context, Point where);
    // Called on every editor idle: redraw if what the view shows has changed.
    virtual void refresh(GraphicsContext* context);
    // Whether refresh would draw now. The frame asks first, so that an idle
    // with nothing to redraw takes no device context at all.
    virtual bool needsRefresh() const { return false; }
    virtual void onFocusLost();
    virtual void onFocusGained();

    const Rect& getRect() const { return rect; }
    // The frame that holds the view; null until it is added to one.
    EditorFrame* getParent() const { return parent; }

protected:
    Rect rect;

private:
    friend class EditorFrame; // sets `parent` when the view is added
    EditorFrame* parent = nullptr;
};
