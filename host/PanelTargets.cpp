#include "host/PanelTargets.h"

namespace {

const PanelTarget buttons[] = {
    {129, "spin", 0, 25, 48, 49},
    {130, "turn-right", 50, 125, 78, 148},
    {131, "tilt-up", 25, 100, 53, 123},
    {132, "tilt-down", 25, 125, 53, 148},
    {133, "turn-left", 0, 125, 28, 148},
    {134, "zoom-out", 100, 125, 124, 149},
    {135, "zoom-in", 100, 100, 124, 124},
    {136, "highlight", 0, 50, 48, 74},
    {137, "reset", 50, 25, 98, 49},
    {138, "depress", 100, 50, 148, 74},
    {139, "practice", 50, 0, 98, 24},
    {140, "rule", 100, 0, 148, 24},
    {141, "linked", 50, 50, 98, 74},
};
constexpr int buttonCount = sizeof buttons / sizeof buttons[0];

} // namespace

const PanelTarget* panelTargets(int& count)
{
    count = buttonCount;
    return buttons;
}

const PanelTarget* panelTargetNamed(const std::string& name)
{
    for (const PanelTarget& button : buttons) {
        if (name == button.name)
            return &button;
    }
    return nullptr;
}

int panelTagAt(int x, int y)
{
    for (int i = buttonCount - 1; i >= 0; --i) {
        const PanelTarget& button = buttons[i];
        if (x >= button.left && x <= button.right && y >= button.top && y <= button.bottom)
            return button.tag;
    }
    return 0;
}
