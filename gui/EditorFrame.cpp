#include "gui/EditorFrame.h"

#include <new>

#include "gui/Bitmap.h"
#include "gui/GraphicsContext.h"

namespace {

constexpr int32_t childArrayStep = 10;

} // namespace

EditorFrame::EditorFrame(const Rect& rect, void* parentWindow, GuiEditor* editor)
    : View(rect)
    , editor(editor)
    , parentWindow(parentWindow)
{
    createWindow();
}

EditorFrame::~EditorFrame()
{
    if (focusView) {
        focusView->onFocusLost();
        focusView = nullptr;
    }
    overlayView = nullptr;
    for (int32_t i = 0; i < childCount; ++i) {
        delete children[i];
    }
    delete[] children;
    children = nullptr;
    childCount = 0;
    childCapacity = 0;
    setBackdrop(nullptr);
    destroyWindow();
}

View* EditorFrame::getChild(int32_t index) const
{
    return index >= 0 && index < childCount ? children[index] : nullptr;
}

void EditorFrame::draw(GraphicsContext* context)
{
    firstPaintPending = false;
    if (backdrop) {
        backdrop->blit(context, Rect(0, 0, backdrop->getWidth(), backdrop->getHeight()), Point(0, 0));
    }
    for (int32_t i = 0; i < childCount; ++i) {
        children[i]->draw(context);
    }
    if (overlayView) {
        overlayView->draw(context);
    }
}

void EditorFrame::onMouseDown(GraphicsContext* context, Point where)
{
    if (focusView && !focusView->getRect().contains(where)) {
        focusView->onFocusLost();
        focusView = nullptr;
    }
    if (overlayView) {
        // An overlay takes every press inside it and swallows the others.
        if (overlayView->getRect().contains(where)) {
            overlayView->onMouseDown(context, where);
        }
        return;
    }
    for (int32_t i = childCount - 1; i >= 0; --i) {
        if (children[i]->getRect().contains(where)) {
            children[i]->onMouseDown(context, where);
            return;
        }
    }
}

void EditorFrame::refresh(GraphicsContext* context)
{
    if (!isOpen) {
        return;
    }
    if (overlayView) {
        overlayView->refresh(context);
        return;
    }
    for (int32_t i = 0; i < childCount; ++i) {
        children[i]->refresh(context);
    }
}

bool EditorFrame::needsRefresh() const
{
    if (!isOpen) {
        return false;
    }
    if (overlayView) {
        return overlayView->needsRefresh();
    }
    for (int32_t i = 0; i < childCount; ++i) {
        if (children[i]->needsRefresh()) {
            return true;
        }
    }
    return false;
}

bool EditorFrame::addChild(View* view)
{
    if (!view) {
        return false;
    }
    for (int32_t i = 0; i < childCount; ++i) {
        if (children[i] == view) {
            return false;
        }
    }
    if (childCount == childCapacity) {
        View** grown = new (std::nothrow) View*[childCapacity + childArrayStep];
        if (!grown) {
            return false;
        }
        for (int32_t i = 0; i < childCount; ++i) {
            grown[i] = children[i];
        }
        delete[] children;
        children = grown;
        childCapacity += childArrayStep;
    }
    children[childCount++] = view;
    view->parent = this;
    return true;
}

bool EditorFrame::removeChild(View* view)
{
    for (int32_t i = 0; i < childCount; ++i) {
        if (children[i] != view) {
            continue;
        }
        for (int32_t j = i + 1; j < childCount; ++j) {
            children[j - 1] = children[j];
        }
        --childCount;
        // The caller may delete the view now: the frame must not reach it again.
        if (overlayView == view) {
            overlayView = nullptr;
        }
        if (focusView == view) {
            focusView = nullptr;
        }
        break;
    }
    return true;
}

void EditorFrame::setBackdrop(Bitmap* newBackdrop)
{
    if (backdrop) {
        backdrop->release();
    }
    backdrop = newBackdrop;
    if (backdrop) {
        backdrop->retain();
    }
}

void EditorFrame::redrawChild(View* view)
{
    View* target = this;
    for (int32_t i = 0; i < childCount; ++i) {
        if (children[i] == view) {
            target = view;
            break;
        }
    }
    withWindowContext([](void* view, GraphicsContext* context) { static_cast<View*>(view)->draw(context); }, target);
}

void EditorFrame::idleRefresh()
{
    pumpEvents();
    if (!isOpen || firstPaintPending || !needsRefresh()) {
        return;
    }
    withWindowContext(
        [](void* frame, GraphicsContext* context) { static_cast<EditorFrame*>(frame)->refresh(context); }, this);
}

bool EditorFrame::setOverlayView(View* view)
{
    if (view && overlayView) {
        return false;
    }
    overlayView = view;
    return true;
}

void EditorFrame::setFocusView(View* view)
{
    focusView = view;
}
