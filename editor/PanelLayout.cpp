#include "editor/PanelLayout.h"

// Top row: read-out (0,0), practice, scoring rule; second row: spin, reset;
// third row: the three display toggles; below them a cross of arrows on the
// left and the zoom pair on the right.
const PanelPlace panelLayout[13] = {
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
