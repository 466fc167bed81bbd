// What each panel button does to the view and to practice scoring.
#include "editor/PanelActions.h"
#include "editor/PanelLayout.h"
#include "state/NoteTable.h"
#include "state/PracticeState.h"
#include "state/RedrawRequest.h"
#include "tests/support/PluginStateReset.h"
#include "view3d/ViewState.h"

#include <gtest/gtest.h>

namespace {

class PanelActionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetPluginState();
        acceptRedisplayRequests(true);
        takeRedisplayRequest();
    }
    void TearDown() override { acceptRedisplayRequests(false); }
};

TEST_F(PanelActionsTest, TiltTurnAndZoomMoveByTenWithoutLimit)
{
    applyPanelAction(TagTiltUp);
    applyPanelAction(TagTiltUp);
    applyPanelAction(TagTiltUp);
    applyPanelAction(TagTiltDown);
    EXPECT_EQ(viewState.angleX, -20);

    applyPanelAction(TagTurnLeft);
    applyPanelAction(TagTurnRight);
    applyPanelAction(TagTurnRight);
    EXPECT_EQ(viewState.angleY, -10);

    for (int i = 0; i < 25; ++i)
        applyPanelAction(TagZoomIn);
    EXPECT_EQ(viewState.zoom, 250);
    applyPanelAction(TagZoomOut);
    EXPECT_EQ(viewState.zoom, 240);
}

TEST_F(PanelActionsTest, TogglesFlipTheirOwnSettingOnly)
{
    applyPanelAction(TagSpin);
    applyPanelAction(TagHighlight);
    EXPECT_TRUE(viewState.autoRotate);
    EXPECT_TRUE(viewState.showKeyColour);
    EXPECT_FALSE(viewState.showKeyMotion);
    EXPECT_FALSE(viewState.showLinkedKeys);

    applyPanelAction(TagDepress);
    applyPanelAction(TagLinkedKeys);
    applyPanelAction(TagSpin);
    EXPECT_FALSE(viewState.autoRotate);
    EXPECT_TRUE(viewState.showKeyMotion);
    EXPECT_TRUE(viewState.showLinkedKeys);
}

TEST_F(PanelActionsTest, ResetClearsCameraAndNotesButKeepsToggles)
{
    viewState.angleX = 30;
    viewState.angleY = -20;
    viewState.spinAngle = 7;
    viewState.zoom = 40;
    viewState.showKeyColour = true;
    viewState.autoRotate = true;
    noteTable.entries[48].velocity = 100;
    practice.practiceScore = 3;

    applyPanelAction(TagReset);
    EXPECT_EQ(viewState.angleX, 0);
    EXPECT_EQ(viewState.angleY, 0);
    EXPECT_EQ(viewState.spinAngle, 0);
    EXPECT_EQ(viewState.zoom, 0);
    EXPECT_TRUE(viewState.showKeyColour);
    EXPECT_TRUE(viewState.autoRotate);
    EXPECT_EQ(noteTable.entries[48].velocity.load(), 0);
    EXPECT_EQ(practice.practiceScore.load(), 3);
}

TEST_F(PanelActionsTest, PracticeButtonStartsFromZeroBothWays)
{
    practice.practiceScore = 5;
    practice.practiceMaximum = 8;
    applyPanelAction(TagPractice);
    EXPECT_TRUE(practice.practiceMode.load());
    EXPECT_EQ(practice.practiceScore.load(), 0);
    EXPECT_EQ(practice.practiceMaximum.load(), 0);

    practice.practiceScore = 2;
    applyPanelAction(TagPractice);
    EXPECT_FALSE(practice.practiceMode.load());
    EXPECT_EQ(practice.practiceScore.load(), 0);
}

TEST_F(PanelActionsTest, ScoringRuleButtonAlternates)
{
    applyPanelAction(TagScoringRule);
    EXPECT_EQ(practice.scoringRule.load(), 1);
    applyPanelAction(TagScoringRule);
    EXPECT_EQ(practice.scoringRule.load(), 0);
}

TEST_F(PanelActionsTest, EveryTagAsksForARedrawEvenWhenItDoesNothing)
{
    for (int32_t tag :
        {int32_t{TagSpin}, int32_t{TagLinkedKeys}, int32_t{0}, int32_t{128}, int32_t{142}, int32_t{-1}}) {
        applyPanelAction(tag);
        EXPECT_TRUE(takeRedisplayRequest()) << tag;
    }
    const ViewState before = viewState;
    applyPanelAction(999);
    EXPECT_EQ(viewState.zoom, before.zoom);
    EXPECT_EQ(viewState.autoRotate, before.autoRotate);
}

TEST_F(PanelActionsTest, AClosedViewIsNotAskedToRedraw)
{
    acceptRedisplayRequests(false);
    applyPanelAction(TagZoomIn);
    acceptRedisplayRequests(true);
    EXPECT_FALSE(takeRedisplayRequest());
}

TEST(PanelLayout, ButtonsComeInTagOrder)
{
    int32_t tag = TagSpin;
    for (const PanelPlace& place : panelLayout)
        EXPECT_EQ(place.tag, tag++);
}

} // namespace
