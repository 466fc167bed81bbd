#include <windows.h>

#include <cstring>

#include "gui/GraphicsContext.h"
#include "GuiTestSupport.h"
#include "tests/support/GdiCallLog.h"

namespace {

using GraphicsContextTest = GuiTest;

LOGFONTA selectedFont(void* dc)
{
    LOGFONTA font{};
    GetObjectA(GetCurrentObject(static_cast<HDC>(dc), OBJ_FONT), sizeof(font), &font);
    return font;
}

TEST_F(GraphicsContextTest, OutlineAndFillOfOneRectangleNeitherOverlapNorLeaveAGap)
{
    PixelCanvas canvas(40, 30, ColorMagenta);
    GraphicsContext context(nullptr, canvas.dc(), nullptr);
    context.setPenColor(ColorRed);
    context.setBrushColor(ColorGreen);
    const Rect r(10, 10, 20, 16);
    context.strokeRect(r);
    context.fillRect(r);
    for (int y = 9; y <= 17; ++y) {
        for (int x = 9; x <= 21; ++x) {
            const bool edge =
                ((x == 10 || x == 20) && y >= 10 && y <= 16) || ((y == 10 || y == 16) && x >= 10 && x <= 20);
            const bool inside = x > 10 && x < 20 && y > 10 && y < 16;
            Color expected = edge ? ColorRed : inside ? ColorGreen : ColorMagenta;
            ASSERT_EQ(canvas.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(GraphicsContextTest, NewContextDrawsWhiteLinesAndTextAndFillsBlack)
{
    PixelCanvas canvas(60, 30, ColorMagenta);
    GraphicsContext context(nullptr, canvas.dc(), nullptr);
    context.moveTo(Point(0, 2));
    context.lineTo(Point(10, 2));
    context.fillRect(Rect(0, 4, 10, 10));
    context.drawText("WWW", Rect(20, 0, 60, 30), false, AlignLeft);
    EXPECT_EQ(canvas.count(ColorWhite, 0, 2, 10, 3), 10);
    EXPECT_EQ(canvas.count(ColorBlack, 1, 5, 10, 10), 45);
    EXPECT_GT(canvas.count(ColorWhite, 20, 0, 60, 30), 0);
    // Transparent: the text leaves the background around its strokes alone.
    EXPECT_EQ(canvas.count(ColorBlack, 20, 0, 60, 30), 0);
}

TEST_F(GraphicsContextTest, LeftAlignedTextStartsOnePixelInForAnyUnknownAlignment)
{
    PixelCanvas left(60, 20, ColorBlack), other(60, 20, ColorBlack), reference(60, 20, ColorBlack);
    for (auto [canvas, alignment] : {std::pair{&left, 0}, std::pair{&other, 5}}) {
        GraphicsContext context(nullptr, canvas->dc(), nullptr);
        context.selectFont(FontLarge);
        context.drawText("Il", Rect(10, 0, 60, 20), false, alignment);
    }
    {
        GraphicsContext context(nullptr, reference.dc(), nullptr);
        context.selectFont(FontLarge);
        RECT box{11, 0, 60, 20};
        DrawTextA(static_cast<HDC>(reference.dc()), "Il", 2, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    int differences = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 60; ++x) {
            differences += left.pixel(x, y) == reference.pixel(x, y) ? 0 : 1;
            differences += other.pixel(x, y) == reference.pixel(x, y) ? 0 : 1;
        }
    }
    EXPECT_EQ(differences, 0);
    EXPECT_GT(reference.count(ColorWhite, 0, 0, 60, 20), 0);
}

TEST_F(GraphicsContextTest, OpaqueTextFillsItsCellWithTheBrushAndLaterTextIsTransparentAgain)
{
    PixelCanvas canvas(80, 20, ColorMagenta);
    GraphicsContext context(nullptr, canvas.dc(), nullptr);
    context.setBrushColor(ColorBlue);
    context.drawText("ab", Rect(0, 0, 40, 20), true, AlignLeft);
    EXPECT_EQ(GetBkMode(static_cast<HDC>(canvas.dc())), TRANSPARENT);
    context.drawText("ab", Rect(40, 0, 80, 20), false, AlignLeft);
    EXPECT_GT(canvas.count(ColorBlue, 0, 0, 40, 20), 0);
    EXPECT_EQ(canvas.count(ColorBlue, 40, 0, 80, 20), 0);
}

TEST_F(GraphicsContextTest, SelectFontUsesTheTableAndFallsBackToTheTitleFont)
{
    PixelCanvas canvas(4, 4, ColorBlack);
    GraphicsContext context(nullptr, canvas.dc(), nullptr);
    struct Case {
        int32_t id, size;
        const char* face;
        LONG height, weight;
        BYTE pitchAndFamily;
    };
    for (const Case& c : {Case{7, 0, "Arial", -12, 700, 0x22}, Case{-1, 20, "Arial", -20, 700, 0x22},
             Case{6, 0, "Symbol", -13, 400, 0x50}, Case{FontSmall, 0, "Arial", -11, 400, 0x22},
             Case{FontTiny, 0, "Small Fonts", -9, 400, 0x22}}) {
        context.selectFont(c.id, c.size);
        LOGFONTA font = selectedFont(canvas.dc());
        EXPECT_STREQ(font.lfFaceName, c.face) << c.id;
        EXPECT_EQ(font.lfHeight, c.height) << c.id;
        EXPECT_EQ(context.getFontSize(), -c.height) << c.id;
        EXPECT_EQ(font.lfWeight, c.weight) << c.id;
        EXPECT_EQ(font.lfPitchAndFamily, c.pitchAndFamily) << c.id;
        EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
        EXPECT_EQ(font.lfOutPrecision, OUT_STRING_PRECIS);
        EXPECT_EQ(font.lfClipPrecision, CLIP_STROKE_PRECIS);
    }
}

TEST_F(GraphicsContextTest, OwnsOnePenBrushAndFontNeverDeletesOneInUseAndRestoresTheDeviceContext)
{
    PixelCanvas canvas(4, 4, ColorBlack);
    HDC dc = static_cast<HDC>(canvas.dc());
    HGDIOBJ ownPen = GetCurrentObject(dc, OBJ_PEN), ownBrush = GetCurrentObject(dc, OBJ_BRUSH),
            ownFont = GetCurrentObject(dc, OBJ_FONT);
    const size_t liveBefore = gdiLog::liveObjects().size();
    gdiLog::watchDeviceContext(dc);
    HGDIOBJ pen = nullptr;
    {
        GraphicsContext context(nullptr, dc, nullptr);
        for (int i = 0; i < 5; ++i) {
            context.setPenColor(ColorRed);
            context.setPenStyle(i % 2);
            context.setBrushColor(ColorBlue);
            context.selectFont(i);
        }
        EXPECT_EQ(gdiLog::liveObjects().size(), liveBefore + 3);
        pen = GetCurrentObject(dc, OBJ_PEN);
        LOGPEN description{};
        GetObjectA(pen, sizeof(description), &description);
        EXPECT_EQ(description.lopnStyle, UINT(PS_SOLID)); // last style set: 4 % 2 == 0
        context.setPenStyle(PenDotted);
        GetObjectA(GetCurrentObject(dc, OBJ_PEN), sizeof(description), &description);
        EXPECT_EQ(description.lopnStyle, UINT(PS_DOT));
    }
    gdiLog::watchDeviceContext(nullptr);
    EXPECT_EQ(gdiLog::liveObjects().size(), liveBefore);
    EXPECT_EQ(gdiLog::deletionsWhileSelected(), 0);
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), ownPen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), ownBrush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), ownFont);
}

TEST_F(GraphicsContextTest, FailedCreationsKeepThePreviousObjectsInUse)
{
    PixelCanvas canvas(20, 10, ColorMagenta);
    HDC dc = static_cast<HDC>(canvas.dc());
    gdiLog::watchDeviceContext(dc);
    {
        GraphicsContext context(nullptr, dc, nullptr);
        context.setBrushColor(ColorGreen);
        context.setPenColor(ColorRed);
        context.selectFont(FontLarge);
        HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
        gdiLog::failCreations(true);
        context.setBrushColor(ColorBlue);
        context.setPenColor(ColorYellow);
        context.selectFont(FontSmall);
        gdiLog::failCreations(false);
        context.fillRect(Rect(0, 0, 9, 9));
        context.moveTo(Point(10, 5));
        context.lineTo(Point(20, 5));
        EXPECT_EQ(canvas.pixel(5, 5), ColorGreen);
        EXPECT_EQ(canvas.pixel(15, 5), ColorRed);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    }
    gdiLog::watchDeviceContext(nullptr);
    EXPECT_EQ(gdiLog::deletionsWhileSelected(), 0);
}

TEST_F(GraphicsContextTest, ContextWithoutDeviceContextKeepsSettingsAndCreatesNothing)
{
    const size_t liveBefore = gdiLog::liveObjects().size();
    GraphicsContext context(nullptr, nullptr, nullptr);
    context.setPenColor(ColorRed);
    context.selectFont(FontSymbol);
    context.strokeRect(Rect(0, 0, 5, 5));
    context.fillRect(Rect(0, 0, 5, 5));
    context.drawText("x", Rect(0, 0, 5, 5));
    context.drawText(nullptr, Rect(0, 0, 5, 5));
    EXPECT_EQ(context.getPenColor(), ColorRed);
    EXPECT_EQ(context.getFontSize(), 13);
    EXPECT_EQ(gdiLog::liveObjects().size(), liveBefore);
}

} // namespace
