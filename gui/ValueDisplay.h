#pragma once

// ValueDisplay is a read-only box that shows its value as one line of text:
// written by the owner's formatter, or with two decimals ("%2.2f") when there
// is none. The text is drawn in a chosen font and colour, optionally with a
// shadow, over either a filled and outlined box or a background bitmap, with
// an optional bevel. It has no observer and ignores the mouse.
//
// The look setters mark the display for redrawing only when the setting
// really changes (colours compare red, green and blue only).

#include <cstdint>

#include "gui/Color.h"
#include "gui/Control.h"

class Bitmap;

// Writes the text for `value` into `text`, which holds ValueDisplay::textCapacity bytes.
using ValueFormatter = void (*)(float value, char* text);

enum ValueDisplayStyle : int32_t {
    StyleShadowText = 0x4,
    StyleBevelInverted = 0x80, // top and left in the fill colour; wins over StyleBevel
    StyleBevel = 0x100, // top and left in the frame colour
};

class ValueDisplay : public Control {
public:
    // Retains `backgroundBitmap`, which may be null (a filled box is drawn then).
    ValueDisplay(const Rect& rect, Bitmap* backgroundBitmap, int32_t style);
    ~ValueDisplay() override;

    void draw(GraphicsContext* context) override;

    virtual void setFontId(int32_t fontId);
    virtual void setTextColor(Color color);
    virtual void setFillColor(Color color);
    virtual void setFrameColor(Color color);
    virtual void setShadowColor(Color color);
    virtual void setTextAlignment(int32_t alignment);
    virtual void setBitmapOffset(Point offset);
    virtual void setFormatter(ValueFormatter newFormatter);

    // The text draw shows for the current value.
    void formatValue(char* text) const;
    // Background (`overrideBitmap` when given, else the background bitmap, else
    // fill and outline), bevel, then the text; ends with lastDrawnValue = value.
    void drawFramedText(GraphicsContext* context, const char* text, Bitmap* overrideBitmap = nullptr);

    static constexpr int32_t textCapacity = 256;

    int32_t getStyle() const { return style; }
    int32_t getFontId() const { return fontId; }
    int32_t getTextAlignment() const { return textAlignment; }
    Color getTextColor() const { return textColor; }
    Color getFillColor() const { return fillColor; }
    Color getFrameColor() const { return frameColor; }
    Color getShadowColor() const { return shadowColor; }

private:
    void setColor(Color& setting, Color color);
    void drawBevel(GraphicsContext* context);

    int32_t textAlignment;
    int32_t style;
    int32_t fontId;
    Color textColor = ColorWhite;
    Color fillColor = ColorBlack;
    Color frameColor = ColorBlack;
    Color shadowColor = ColorRed;
    Point bitmapOffset;
    Bitmap* backgroundBitmap;
    ValueFormatter formatter = nullptr;
};
