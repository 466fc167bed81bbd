#include "gui/ValueDisplay.h"

#include <cstdio>

#include "gui/Bitmap.h"
#include "gui/FontTable.h"
#include "gui/GraphicsContext.h"

ValueDisplay::ValueDisplay(const Rect& rect, Bitmap* backgroundBitmap, int32_t style)
    : Control(rect, nullptr, 0)
    , textAlignment(AlignCenter)
    , style(style)
    , fontId(FontNormal)
    , backgroundBitmap(backgroundBitmap)
{
    if (backgroundBitmap) {
        backgroundBitmap->retain();
    }
}

ValueDisplay::~ValueDisplay()
{
    if (backgroundBitmap) {
        backgroundBitmap->release();
    }
}

void ValueDisplay::draw(GraphicsContext* context)
{
    char text[textCapacity];
    formatValue(text);
    drawFramedText(context, text);
}

void ValueDisplay::formatValue(char* text) const
{
    if (formatter) {
        text[0] = '\0';
        formatter(value, text);
    } else {
        std::snprintf(text, textCapacity, "%2.2f", static_cast<double>(value));
    }
}

void ValueDisplay::drawFramedText(GraphicsContext* context, const char* text, Bitmap* overrideBitmap)
{
    if (!context) {
        return;
    }
    const bool bevelled = (style & (StyleBevelInverted | StyleBevel)) != 0;
    Bitmap* background = overrideBitmap ? overrideBitmap : backgroundBitmap;
    if (background) {
        background->blit(context, rect, bitmapOffset);
    } else {
        context->setBrushColor(fillColor);
        context->fillRect(rect);
        if (!bevelled) {
            context->setPenColor(frameColor);
            context->strokeRect(rect);
        }
    }
    if (bevelled) {
        drawBevel(context);
    }
    context->selectFont(fontId, 0);
    if (style & StyleShadowText) {
        Rect shadow(rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1);
        context->setTextColor(shadowColor);
        context->drawText(text, shadow, false, textAlignment);
    }
    context->setTextColor(textColor);
    context->drawText(text, rect, false, textAlignment);
    lastDrawnValue = value;
}

void ValueDisplay::drawBevel(GraphicsContext* context)
{
    const bool inverted = (style & StyleBevelInverted) != 0;
    context->setPenColor(inverted ? fillColor : frameColor);
    context->moveTo(Point(rect.left, rect.bottom));
    context->lineTo(Point(rect.left, rect.top));
    context->lineTo(Point(rect.right + 1, rect.top));
    context->setPenColor(inverted ? frameColor : fillColor);
    context->moveTo(Point(rect.right, rect.top + 1));
    context->lineTo(Point(rect.right, rect.bottom));
    context->lineTo(Point(rect.left, rect.bottom));
}

void ValueDisplay::setFontId(int32_t newFontId)
{
    if (newFontId != fontId) {
        markForRedraw();
    }
    fontId = newFontId;
}

void ValueDisplay::setColor(Color& setting, Color color)
{
    if (!sameRgb(setting, color)) {
        markForRedraw();
    }
    setting = color;
}

void ValueDisplay::setTextColor(Color color)
{
    setColor(textColor, color);
}

void ValueDisplay::setFillColor(Color color)
{
    setColor(fillColor, color);
}

void ValueDisplay::setFrameColor(Color color)
{
    setColor(frameColor, color);
}

void ValueDisplay::setShadowColor(Color color)
{
    setColor(shadowColor, color);
}

void ValueDisplay::setTextAlignment(int32_t alignment)
{
    if (alignment != textAlignment) {
        markForRedraw();
    }
    textAlignment = alignment;
}

void ValueDisplay::setBitmapOffset(Point offset)
{
    bitmapOffset = offset;
}

void ValueDisplay::setFormatter(ValueFormatter newFormatter)
{
    formatter = newFormatter;
}
