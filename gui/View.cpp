#include "gui/View.h"

View::View(const Rect& rect)
    : rect(rect)
{
}

View::~View() = default;

void View::draw(GraphicsContext*)
{
}

void View::onMouseDown(GraphicsContext*, Point)
{
}

void View::refresh(GraphicsContext*)
{
}

void View::onFocusLost()
{
}

void View::onFocusGained()
{
}
