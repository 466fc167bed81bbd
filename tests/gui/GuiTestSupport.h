#pragma once

// Shared pieces of the toolkit tests: a memory canvas whose pixels can be read
// back, a real top-level parent window, a message pump, a view that records
// what happens to it, and the fixture that points the toolkit at this
// program's own bitmaps and watches its GDI calls.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gui/Color.h"
#include "gui/View.h"
#include "tests/support/Win32Window.h"

// Bitmaps of tests/gui/resources/resources.rc.
constexpr int32_t buttonBitmap = 201; // 48 x 48, two pictures with marked first and last rows
constexpr int32_t quadrantsBitmap = 202; // 32 x 32: red, green / blue, yellow
constexpr int32_t backdropBitmap = 203; // 80 x 60 teal, orange bottom-right pixel
constexpr int32_t missingBitmap = 999;

inline constexpr Color Teal{0, 128, 128, 0};
inline constexpr Color Orange{255, 128, 0, 0};

bool operator==(Color a, Color b);
std::ostream& operator<<(std::ostream& out, Color c);

// A 32-bit memory device context of the given size, filled with one colour.
class PixelCanvas {
public:
    PixelCanvas(int width, int height, Color background);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    void* dc() const { return memoryDc; }
    Color pixel(int x, int y) const;
    // Number of pixels of `color` in the rectangle [left, right) x [top, bottom).
    int count(Color color, int left, int top, int right, int bottom) const;

private:
    int width;
    int height;
    void* memoryDc;
    void* bitmap;
    void* previousBitmap;
    uint32_t* bits;
};

Color windowPixel(void* window, int x, int y);
bool frameClassRegistered();
std::string expectedFrameClassName();

using EventLog = std::vector<std::string>;

// Appends "<event> <name>" to a log for draw, press, refresh, focus loss and
// deletion; draws by filling its rectangle's inside with its colour.
class RecordingView : public View {
public:
    RecordingView(const Rect& rect, std::string name, EventLog* log, Color color = ColorBlack);
    ~RecordingView() override;
    void draw(GraphicsContext* context) override;
    void onMouseDown(GraphicsContext* context, Point where) override;
    void refresh(GraphicsContext* context) override;
    // Always has something to redraw, so that every refresh pass reaches it;
    // with `wantsRefresh` false it never has, and the pass leaves it alone.
    bool needsRefresh() const override { return wantsRefresh; }
    void onFocusLost() override;

    bool wantsRefresh = true;

private:
    std::string name;
    EventLog* log;
    Color color;
};

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
};
