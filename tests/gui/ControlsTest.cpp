#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "GuiTestSupport.h"
#include "gui/Bitmap.h"
#include "gui/ControlObserver.h"
#include "gui/EditorFrame.h"
#include "gui/GraphicsContext.h"
#include "gui/PanelButton.h"
#include "gui/ValueDisplay.h"

namespace {

using ControlsTest = GuiTest;

class CountingControl : public Control {
public:
    CountingControl()
        : Control(Rect(0, 0, 10, 10), nullptr, 0)
    {
    }
    void draw(GraphicsContext*) override
    {
        ++draws;
        lastDrawnValue = value;
    }
    int draws = 0;
};

// Records each notification and, during it, the pixel at `probe` of the
// press's device context: the picture the user sees while the press is handled.
class RecordingObserver : public ControlObserver {
public:
    void controlChanged(GraphicsContext* context, Control* control) override
    {
        tags.push_back(control->getTag());
        values.push_back(control->getValue());
        Color seen{};
        if (context && context->getDeviceContext()) {
            COLORREF value = GetPixel(static_cast<HDC>(context->getDeviceContext()), probe.x, probe.y);
            seen = Color{GetRValue(value), GetGValue(value), GetBValue(value), 0};
        }
        pixels.push_back(seen);
    }
    Point probe;
    std::vector<int32_t> tags;
    std::vector<float> values;
    std::vector<Color> pixels;
};

TEST_F(ControlsTest, RefreshDrawsOnlyWhenTheValueDiffersFromTheLastDrawnOne)
{
    CountingControl control;
    control.refresh(nullptr);
    control.refresh(nullptr);
    EXPECT_EQ(control.draws, 1);
    control.setValue(0.3f);
    control.refresh(nullptr);
    control.refresh(nullptr);
    EXPECT_EQ(control.draws, 2);
    control.setValue(0.3f);
    control.refresh(nullptr);
    EXPECT_EQ(control.draws, 2);
    control.setLastDrawnValue(7.0f);
    control.refresh(nullptr);
    EXPECT_EQ(control.draws, 3);
    EXPECT_EQ(control.getLastDrawnValue(), 0.3f);
}

TEST_F(ControlsTest, PanelButtonShowsTheUpperPictureAtZeroAndFlipsOnEveryPressBeforeNotifying)
{
    TestWindow parent(320, 240);
    RecordingObserver observer;
    observer.probe = Point(20, 10);
    EditorFrame frame(Rect(0, 0, 100, 80), parent.handle(), nullptr);
    Bitmap* bitmap = new Bitmap(buttonBitmap);
    frame.addChild(new PanelButton(Rect(10, 10, 58, 34), &observer, 135, bitmap));
    bitmap->release();
    repaint(frame.getWindow());
    void* window = frame.getWindow();
    EXPECT_EQ(windowPixel(window, 20, 10), ColorGreen); // row 0
    EXPECT_EQ(windowPixel(window, 57, 20), ColorBlue);
    EXPECT_EQ(windowPixel(window, 20, 33), ColorYellow); // row 23
    click(window, WM_LBUTTONDOWN, 58, 34);
    EXPECT_EQ(windowPixel(window, 20, 10), ColorCyan); // row 24
    EXPECT_EQ(windowPixel(window, 20, 20), ColorRed);
    EXPECT_EQ(windowPixel(window, 20, 33), ColorMagenta); // row 47
    click(window, WM_LBUTTONUP, 58, 34);
    click(window, WM_RBUTTONDOWN, 10, 10);
    EXPECT_EQ(windowPixel(window, 20, 10), ColorGreen);
    EXPECT_EQ(observer.tags, (std::vector<int32_t>{135, 135}));
    EXPECT_EQ(observer.values, (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(observer.pixels, (std::vector<Color>{ColorCyan, ColorGreen}));
}

TEST_F(ControlsTest, PanelButtonPressTruncatesTheValueAndDrawingTestsItForZero)
{
    PixelCanvas canvas(60, 30, ColorMagenta);
    GraphicsContext context(nullptr, canvas.dc(), nullptr);
    RecordingObserver observer;
    Bitmap* bitmap = new Bitmap(buttonBitmap);
    HGDIOBJ image = bitmap->getHandle();
    auto* button = new PanelButton(Rect(0, 0, 48, 24), &observer, 1, bitmap);
    bitmap->release();
    for (float start : {0.5f, -0.7f}) {
        button->setValue(start);
        button->draw(&context);
        EXPECT_EQ(canvas.pixel(5, 0), ColorCyan) << start;
        button->onMouseDown(&context, Point(0, 0));
        EXPECT_EQ(button->getValue(), 1.0f) << start;
        button->onMouseDown(&context, Point(0, 0));
        EXPECT_EQ(button->getValue(), 0.0f) << start;
        EXPECT_EQ(canvas.pixel(5, 0), ColorGreen) << start;
    }
    button->setValue(1e30f);
    button->onMouseDown(&context, Point(0, 0));
    EXPECT_EQ(button->getValue(), 0.0f);
    button->setAcceptsMouse(false);
    button->onMouseDown(&context, Point(0, 0));
    EXPECT_EQ(button->getValue(), 0.0f);
    EXPECT_EQ(canvas.pixel(5, 0), ColorGreen);
    EXPECT_EQ(observer.tags.size(), 5u);
    EXPECT_EQ(GetObjectType(image), DWORD(OBJ_BITMAP)); // the button still holds it
    delete button;
    EXPECT_EQ(GetObjectType(image), 0u);

    PanelButton blank(Rect(0, 0, 48, 24), &observer, 2, nullptr);
    PixelCanvas untouched(60, 30, ColorMagenta);
    GraphicsContext blankContext(nullptr, untouched.dc(), nullptr);
    blank.onMouseDown(&blankContext, Point(0, 0));
    EXPECT_EQ(blank.getValue(), 1.0f);
    EXPECT_EQ(observer.tags.back(), 2);
    EXPECT_EQ(untouched.count(ColorMagenta, 0, 0, 60, 30), 60 * 30);
}

TEST_F(ControlsTest, ValueDisplayWritesTwoDecimalsUnlessAFormatterIsSet)
{
    ValueDisplay display(Rect(0, 0, 48, 20), nullptr, 1);
    char text[ValueDisplay::textCapacity];
    for (auto [value, expected] : {std::pair{0.0f, "0.00"}, std::pair{66.666f, "66.67"}, std::pair{100.0f, "100.00"},
             std::pair{-3.0f, "-3.00"}}) {
        display.setValue(value);
        display.formatValue(text);
        EXPECT_STREQ(text, expected);
    }
    display.setFormatter([](float, char*) {});
    display.formatValue(text);
    EXPECT_STREQ(text, "");
}

struct Ink {
    int left = 1000, right = -1, top = 1000, bottom = -1;
};

// Draws the panel's read-out (style 1, "Arial" 11, white on black, red outline)
// at `rect` on a magenta canvas and returns where its text landed.
Ink drawReadout(const Rect& rect, int32_t alignment, bool withText)
{
    PixelCanvas canvas(80, 50, ColorMagenta);
    GraphicsContext context(nullptr, canvas.dc(), nullptr);
    ValueDisplay display(rect, nullptr, 1);
    display.setFontId(FontSmall);
    display.setFrameColor(ColorRed);
    display.setTextAlignment(alignment);
    if (!withText) {
        display.setFormatter([](float, char*) {});
    }
    display.draw(&context);
    const int width = rect.width() + 1, height = rect.height() + 1;
    EXPECT_EQ(
        canvas.count(ColorRed, rect.left, rect.top, rect.right + 1, rect.bottom + 1), 2 * width + 2 * (height - 2));
    EXPECT_EQ(canvas.count(ColorMagenta, 0, 0, 80, 50), 80 * 50 - width * height);
    Ink ink;
    for (int y = rect.top + 1; y < rect.bottom; ++y) {
        for (int x = rect.left + 1; x < rect.right; ++x) {
            Color c = canvas.pixel(x, y);
            EXPECT_FALSE(c == ColorMagenta || c == ColorRed) << x << "," << y;
            if (!(c == ColorBlack)) {
                ink = Ink{std::min(ink.left, x), std::max(ink.right, x), std::min(ink.top, y), std::max(ink.bottom, y)};
            }
        }
    }
    EXPECT_EQ(canvas.count(ColorWhite, rect.left + 1, rect.top + 1, rect.right, rect.bottom) > 0, withText);
    return ink;
}

TEST_F(ControlsTest, ValueDisplayInStyleOneIsFilledAndOutlinedWithCentredText)
{
    const Rect box(10, 10, 58, 30);
    EXPECT_EQ(drawReadout(box, AlignCenter, false).right, -1); // no text, only fill and outline
    Ink centred = drawReadout(box, AlignCenter, true);
    Ink left = drawReadout(box, AlignLeft, true);
    Ink right = drawReadout(box, AlignRight, true);
    EXPECT_NEAR(centred.left, (left.left + right.left) / 2.0, 1.0);
    // Ten rows taller moves the text five rows down.
    Ink taller = drawReadout(Rect(10, 10, 58, 40), AlignCenter, true);
    EXPECT_NEAR(taller.top - centred.top, 5, 1);
    EXPECT_EQ(taller.left, centred.left);
}

TEST_F(ControlsTest, ValueDisplayBevelReplacesTheOutlineAndShadowTextComesFirst)
{
    Bitmap* quadrants = new Bitmap(quadrantsBitmap);
    for (int32_t style : {int32_t{StyleBevel}, StyleBevel | StyleBevelInverted}) {
        PixelCanvas canvas(40, 30, ColorMagenta);
        GraphicsContext context(nullptr, canvas.dc(), nullptr);
        ValueDisplay display(Rect(5, 5, 20, 18), quadrants, style | StyleShadowText);
        display.setBitmapOffset(Point(16, 16));
        display.setFillColor(ColorBlue);
        display.setFrameColor(ColorRed);
        display.setShadowColor(ColorGreen);
        display.setFormatter([](float, char* text) { std::strcpy(text, "8"); });
        display.draw(&context);
        const bool inverted = (style & StyleBevelInverted) != 0;
        Color topLeft = inverted ? ColorBlue : ColorRed, bottomRight = inverted ? ColorRed : ColorBlue;
        EXPECT_EQ(canvas.pixel(5, 12), topLeft);
        EXPECT_EQ(canvas.pixel(20, 5), topLeft);
        EXPECT_EQ(canvas.pixel(20, 12), bottomRight);
        EXPECT_EQ(canvas.pixel(12, 18), bottomRight);
        EXPECT_EQ(canvas.pixel(7, 7), ColorYellow); // background from the bitmap's yellow quarter
        EXPECT_GT(canvas.count(ColorGreen, 6, 6, 20, 18), 0);
    }
    quadrants->release();
}

TEST_F(ControlsTest, ValueDisplayLookSettersMarkItForRedrawOnlyOnARealChange)
{
    PixelCanvas canvas(60, 30, ColorMagenta);
    GraphicsContext context(nullptr, canvas.dc(), nullptr);
    ValueDisplay display(Rect(0, 0, 48, 20), nullptr, 1);
    display.setValue(2.0f);
    display.refresh(&context);
    auto marked = [&] {
        bool result = display.getLastDrawnValue() != display.getValue();
        display.refresh(&context);
        return result;
    };
    display.setTextColor(Color{255, 255, 255, 9});
    EXPECT_FALSE(marked());
    EXPECT_EQ(display.getTextColor().spare, 9);
    display.setFontId(FontNormal);
    display.setTextAlignment(AlignCenter);
    display.setBitmapOffset(Point(3, 3));
    display.setFormatter(nullptr);
    EXPECT_FALSE(marked());
    display.setTextColor(ColorRed);
    EXPECT_EQ(display.getLastDrawnValue(), 2.1f);
    EXPECT_TRUE(marked());
    for (auto change : std::initializer_list<void (*)(ValueDisplay&)>{[](ValueDisplay& d) { d.setFontId(FontSmall); },
             [](ValueDisplay& d) { d.setTextAlignment(AlignRight); },
             [](ValueDisplay& d) { d.setFillColor(ColorBlue); }, [](ValueDisplay& d) { d.setFrameColor(ColorGreen); },
             [](ValueDisplay& d) { d.setShadowColor(ColorCyan); }}) {
        change(display);
        EXPECT_TRUE(marked());
    }
    // Where adding 0.1 cannot change the value, the mark still forces a redraw.
    display.setValue(1e9f);
    display.refresh(&context);
    display.setTextColor(ColorWhite);
    EXPECT_TRUE(marked());
    EXPECT_EQ(display.getLastDrawnValue(), 1e9f);
}

} // namespace
