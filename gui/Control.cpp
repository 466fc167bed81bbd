#include "gui/Control.h"

#include <cmath>

#include "gui/EditorFrame.h"
#include "gui/GuiEditor.h"

Control::Control(const Rect& rect, ControlObserver* observer, int32_t tag)
    : View(rect)
    , observer(observer)
    , tag(tag)
{
}

Control::~Control() = default;

void Control::refresh(GraphicsContext* context)
{
    if (needsRefresh()) {
        draw(context);
        lastDrawnValue = value;
    }
}

void Control::idleWhileTracking()
{
    EditorFrame* frame = getParent();
    if (frame && frame->getEditor()) {
        frame->getEditor()->throttledIdle();
    }
}

void Control::markForRedraw()
{
    // volatile: on x87 the sum may otherwise be compared in extended precision
    // and differ from `value` although its float does not.
    volatile float marker = value + 0.1f;
    lastDrawnValue = marker != value ? marker : std::nanf("");
}
