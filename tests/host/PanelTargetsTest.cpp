// The host's panel targets against the rectangles it pressed when they were
// worked out by hand: the layout and the bitmap sizes they come from must keep
// every button where scripts and the hand-press watch have always found it.
#include "host/driver/PanelTargets.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

struct MeasuredTarget {
    int tag;
    const char* name;
    int left, top, right, bottom;
};

constexpr MeasuredTarget measured[] = {
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

TEST(PanelTargetsTest, DerivedRectanglesAreTheMeasuredOnesInPanelOrder)
{
    int count = 0;
    const PanelTarget* targets = panelTargets(count);
    ASSERT_EQ(count, static_cast<int>(std::size(measured)));
    for (int i = 0; i < count; ++i) {
        const MeasuredTarget& expected = measured[i];
        const PanelTarget& target = targets[i];
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(target.tag, expected.tag);
        EXPECT_STREQ(target.name, expected.name);
        EXPECT_EQ(target.left, expected.left);
        EXPECT_EQ(target.top, expected.top);
        EXPECT_EQ(target.right, expected.right);
        EXPECT_EQ(target.bottom, expected.bottom);
    }
}

} // namespace
