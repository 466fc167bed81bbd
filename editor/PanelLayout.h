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
extern const PanelPlace panelLayout[13];

// A box in panel pixels, right and bottom as the toolkit's rectangles hold them.
struct PanelBox {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The practice read-out: the top-left corner, above the spin button and as
// wide as it.
constexpr PanelBox readoutBox{0, 0, 48, 20};
