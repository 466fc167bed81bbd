#include "host/driver/PanelTargets.h"

#include "editor/PanelLayout.h"
#include "resources/PanelBitmapSizes.h"

#include <array>
#include <iterator>

namespace {

struct TargetName {
    PanelTag tag;
    const char* name;
};

// What scripts call each button.
constexpr TargetName targetNames[] = {
    {TagSpin, "spin"},
    {TagTurnRight, "turn-right"},
    {TagTiltUp, "tilt-up"},
    {TagTiltDown, "tilt-down"},
    {TagTurnLeft, "turn-left"},
    {TagZoomOut, "zoom-out"},
    {TagZoomIn, "zoom-in"},
    {TagHighlight, "highlight"},
    {TagReset, "reset"},
    {TagDepress, "depress"},
    {TagPractice, "practice"},
    {TagScoringRule, "rule"},
    {TagLinkedKeys, "linked"},
};

constexpr size_t targetCount = std::size(panelLayout);

constexpr const char* nameOf(int32_t tag)
{
    for (const TargetName& entry : targetNames) {
        if (entry.tag == tag)
            return entry.name;
    }
    return nullptr;
}

constexpr bool everyButtonHasANameAndABitmap()
{
    for (const PanelPlace& place : panelLayout) {
        if (!nameOf(place.tag) || panelBitmapSize(place.tag).resourceId != place.tag)
            return false;
    }
    return std::size(targetNames) == targetCount;
}
static_assert(everyButtonHasANameAndABitmap(), "each panel button needs a script name and a bitmap");

// The panel's own layout, with each button sized by its bitmap as the editor
// sizes it.
constexpr std::array<PanelTarget, targetCount> deriveTargets()
{
    std::array<PanelTarget, targetCount> targets{};
    for (size_t i = 0; i < targetCount; ++i) {
        const PanelPlace& place = panelLayout[i];
        const PanelBitmapSize bitmap = panelBitmapSize(place.tag);
        const PanelArea area = panelButtonArea(place, bitmap.width, bitmap.height);
        targets[i] = {place.tag, nameOf(place.tag), area.left, area.top, area.right, area.bottom};
    }
    return targets;
}

constexpr std::array<PanelTarget, targetCount> targets = deriveTargets();

} // namespace

const PanelTarget* panelTargets(int& count)
{
    count = static_cast<int>(targets.size());
    return targets.data();
}

const PanelTarget* panelTargetNamed(const std::string& name)
{
    for (const PanelTarget& target : targets) {
        if (name == target.name)
            return &target;
    }
    return nullptr;
}

int panelTagAt(int x, int y)
{
    for (auto target = targets.rbegin(); target != targets.rend(); ++target) {
        if (x >= target->left && x <= target->right && y >= target->top && y <= target->bottom)
            return target->tag;
    }
    return 0;
}
