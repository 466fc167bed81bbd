// The view a host saves in its project: what comes back is what was shown, and
// anything that is not a whole record of this version changes nothing.
#include "core/ViewerCore.h"
#include "state/PracticeState.h"
#include "tests/support/PluginStateReset.h"
#include "view3d/ViewState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class SavedViewTest : public ::testing::Test {
protected:
    void SetUp() override { resetPluginState(); }

    static void showSomething(ViewerCore& core)
    {
        core.selectInstrument(4);
        viewState.angleX = -30;
        viewState.angleY = 1'000'000'000;
        viewState.spinAngle = 725;
        viewState.zoom = -2'147'483'647 - 1;
        viewState.autoRotate = true;
        viewState.showKeyColour = false;
        viewState.showKeyMotion = true;
        viewState.showLinkedKeys = true;
        practice.scoringRule.store(1);
    }

    static std::vector<uint8_t> saved()
    {
        uint8_t bytes[savedViewSize];
        ViewerCore::saveView(bytes);
        return {bytes, bytes + savedViewSize};
    }
};

TEST_F(SavedViewTest, ARestoredViewIsTheViewSavedInAnotherInstance)
{
    std::vector<uint8_t> bytes;
    {
        ViewerCore first;
        showSomething(first);
        bytes = saved();
    }
    resetPluginState();
    ViewerCore second;
    ASSERT_TRUE(second.restoreView(bytes.data(), bytes.size()));
    EXPECT_EQ(ViewerCore::selectedInstrument(), 4);
    EXPECT_EQ(viewState.angleX, -30);
    EXPECT_EQ(viewState.angleY, 1'000'000'000);
    EXPECT_EQ(viewState.spinAngle, 725);
    EXPECT_EQ(viewState.zoom, -2'147'483'647 - 1) << "angles and zoom are unbounded and kept whole";
    EXPECT_TRUE(viewState.autoRotate);
    EXPECT_FALSE(viewState.showKeyColour);
    EXPECT_TRUE(viewState.showKeyMotion);
    EXPECT_TRUE(viewState.showLinkedKeys);
    EXPECT_EQ(practice.scoringRule.load(), 1);
    EXPECT_EQ(saved(), bytes) << "saving again gives the same bytes";
}

TEST_F(SavedViewTest, TheLayoutIsFixedWhateverThePlatform)
{
    ViewerCore core;
    showSomething(core);
    const std::vector<uint8_t> expected = {'Q', 'V', 'v', 'w', 1, 0x0d, 1, 4, //
        0xe2, 0xff, 0xff, 0xff, 0x00, 0xca, 0x9a, 0x3b, 0xd5, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80};
    EXPECT_EQ(saved(), expected);
}

TEST_F(SavedViewTest, AChangedScoringRuleStartsANewPracticeRunAndTheSameRuleDoesNot)
{
    ViewerCore core;
    const std::vector<uint8_t> ruleZero = saved();
    const uint32_t run = practice.practiceRun.load();
    ASSERT_TRUE(core.restoreView(ruleZero.data(), ruleZero.size()));
    EXPECT_EQ(practice.practiceRun.load(), run);

    std::vector<uint8_t> ruleOne = ruleZero;
    ruleOne[6] = 1;
    ASSERT_TRUE(core.restoreView(ruleOne.data(), ruleOne.size()));
    EXPECT_NE(practice.practiceRun.load(), run) << "points scored under the old rule must not count under the new";
}

TEST_F(SavedViewTest, AnythingButAWholeRecordOfThisVersionChangesNothing)
{
    ViewerCore core;
    showSomething(core);
    const std::vector<uint8_t> good = saved();
    core.selectInstrument(1);
    viewState.angleX = 10;
    const std::vector<uint8_t> before = saved();

    auto refused = [&](std::vector<uint8_t> bytes, const char* what) {
        EXPECT_FALSE(core.restoreView(bytes.data(), bytes.size())) << what;
        EXPECT_EQ(saved(), before) << what;
    };
    for (size_t length = 0; length < good.size(); ++length)
        refused({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)}, "truncated");
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    refused(longer, "a byte too many");
    auto changed = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> bytes = good;
        bytes[at] = value;
        return bytes;
    };
    refused(changed(0, 'q'), "not our record");
    refused(changed(4, 2), "a later version");
    refused(changed(4, 0), "no version");
    refused(changed(5, 0x10), "a toggle this version does not know");
    refused(changed(6, 2), "no such scoring rule");
    refused(changed(7, 5), "no such instrument");
    refused(changed(7, 0xff), "no such instrument");
    EXPECT_FALSE(core.restoreView(nullptr, savedViewSize));
    EXPECT_EQ(saved(), before);
}

} // namespace
