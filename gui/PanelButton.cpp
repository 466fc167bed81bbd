#include "gui/PanelButton.h"

#include <cmath>

#include "gui/Bitmap.h"
#include "gui/ControlObserver.h"

PanelButton::PanelButton(const Rect& rect, ControlObserver* observer, int32_t tag, Bitmap* bitmap)
    : Control(rect, observer, tag)
    , bitmap(bitmap)
{
    if (bitmap) {
        bitmap->retain();
    }
}

PanelButton::~PanelButton()
{
    if (bitmap) {
        bitmap->release();
    }
}

void PanelButton::draw(GraphicsContext* context)
{
    if (bitmap) {
        int32_t sourceRow = value != 0.0f ? bitmap->getHeight() / 2 : 0;
        bitmap->blit(context, rect, Point(0, sourceRow));
    }
    lastDrawnValue = value;
}

void PanelButton::onMouseDown(GraphicsContext* context, Point)
{
    if (!acceptsMouse) {
        return;
    }
    // std::trunc rather than a cast: any float, however large, is a valid value.
    value = std::trunc(value) != 0.0f ? 0.0f : 1.0f;
    draw(context);
    if (observer) {
        observer->controlChanged(context, this);
    }
}
