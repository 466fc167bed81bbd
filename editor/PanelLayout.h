#pragma once
// Where the panel's thirteen buttons and its practice read-out sit. Each
// button's tag is also the number of its bitmap resource; 128 is the panel
// background.
#include <cstdint>

enum PanelTag : int32_t {
    TagSpin = 129, // toggle autoRotate
    TagTurnRight = 130, // angleY -= 10
    TagTiltUp = 131, // angleX -= 10
    TagTiltDown = 132, // angleX += 10
    TagTurnLeft = 133, // angleY += 10
    TagZoomOut = 134, // zoom -= 10
    TagZoomIn = 135, // zoom += 10
    TagHighlight = 136, // toggle showKeyColour
    TagReset = 137, // resetView
    TagDepress = 138, // toggle showKeyMotion
    TagPractice = 139, // practice on or off, from zero
    TagScoringRule = 140, // the other scoring rule
    TagLinkedKeys = 141, // toggle showLinkedKeys
};

constexpr int32_t panelBackgroundId = 128;

struct PanelPlace {
    int32_t tag;
    int32_t x; // top-left corner in panel pixels
    int32_t y;
};

// In increasing tag order, the order the buttons are built and drawn in.
// Top row: read-out (0,0), practice, scoring rule; second row: spin, reset;
// third row: the three display toggles; below them a cross of arrows on the
// left and the zoom pair on the right.
inline constexpr PanelPlace panelLayout[] = {
    {TagSpin, 0, 25},
    {TagTurnRight, 50, 125},
    {TagTiltUp, 25, 100},
    {TagTiltDown, 25, 125},
    {TagTurnLeft, 0, 125},
    {TagZoomOut, 100, 125},
    {TagZoomIn, 100, 100},
    {TagHighlight, 0, 50},
    {TagReset, 50, 25},
    {TagDepress, 100, 50},
    {TagPractice, 50, 0},
    {TagScoringRule, 100, 0},
    {TagLinkedKeys, 50, 50},
};

// A control's rectangle in panel pixels: drawn from left to right - 1 and top
// to bottom - 1, hit on all four edges, as the toolkit's controls are.
struct PanelArea {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// A button shows one of the two pictures stacked in its bitmap at a time, so
// it is as wide as the bitmap and half as tall.
constexpr PanelArea panelButtonArea(const PanelPlace& place, int32_t bitmapWidth, int32_t bitmapHeight)
{
    return {place.x, place.y, place.x + bitmapWidth, place.y + bitmapHeight / 2};
}

// The practice read-out: the top-left corner, left of the practice button and
// above the spin button; 20 pixels tall and as wide as the bitmap the panel
// loaded last (that of TagLinkedKeys).
constexpr PanelArea readoutArea(int32_t lastBitmapWidth)
{
    return {0, 0, lastBitmapWidth, 20};
}
