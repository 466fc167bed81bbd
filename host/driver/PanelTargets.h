#pragma once
// Where the plug-in's panel buttons are, so that a script can press them by
// name ("press practice") and the host can tell which button a press at a
// point reaches. The panel sits at the top-left corner of the host's window,
// so panel coordinates are the window's client coordinates.
#include <string>

struct PanelTarget {
    int tag = 0;
    const char* name = nullptr;
    // Inclusive on all four edges, as the panel tests them.
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int centreX() const { return (left + right) / 2; }
    int centreY() const { return (top + bottom) / 2; }
};

// The thirteen buttons in the order the panel adds them (tags 129 to 141).
const PanelTarget* panelTargets(int& count);

// The button with this name, or null.
const PanelTarget* panelTargetNamed(const std::string& name);

// The tag of the button a press at (x, y) reaches, or 0. Where rectangles
// share pixels, the button added last wins, as on the panel.
int panelTagAt(int x, int y);
