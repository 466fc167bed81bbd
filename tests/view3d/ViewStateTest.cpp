// The view-state record: resetting the view and automatic rotation.
#include "view3d/ModelSwap.h"
#include "state/NoteTable.h"
#include "state/PracticeState.h"
#include "tests/support/PluginStateReset.h"
#include "view3d/InstrumentModel.h"
#include "view3d/ViewState.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// A model that claims to hold a compiled list, without any GL context.
class CompiledModel : public InstrumentModel {
public:
    CompiledModel()
        : InstrumentModel(0, 0, 0)
    {
        displayList = 7;
    }
};

class ViewStateTest : public ::testing::Test {
protected:
    void SetUp() override { resetPluginState(); }
    void TearDown() override
    {
        currentModel = nullptr;
        resetPluginState();
    }
};

TEST_F(ViewStateTest, ResetViewClearsNotesAndCameraButKeepsTogglesAndPractice)
{
    CompiledModel model;
    currentModel = &model;
    noteTable.entries[48].velocity = 100;
    noteTable.entries[48].scoreState = 6;
    viewState = ViewState{30, -20, 17, 40, true, true, true, true};
    practice.practiceMode = true;
    practice.practiceScore = 3;
    practice.practiceMaximum = 4;

    resetView();

    EXPECT_EQ(noteTable.entries[48].velocity, 0);
    EXPECT_EQ(noteTable.entries[48].scoreState, 0);
    EXPECT_EQ(viewState.angleX, 0);
    EXPECT_EQ(viewState.angleY, 0);
    EXPECT_EQ(viewState.spinAngle, 0);
    EXPECT_EQ(viewState.zoom, 0);
    EXPECT_TRUE(viewState.autoRotate);
    EXPECT_TRUE(viewState.showKeyColour);
    EXPECT_TRUE(viewState.showKeyMotion);
    EXPECT_TRUE(viewState.showLinkedKeys);
    EXPECT_EQ(model.getDisplayList(), 0u);
    EXPECT_TRUE(practice.practiceMode);
    EXPECT_EQ(practice.practiceScore, 3);
    EXPECT_EQ(practice.practiceMaximum, 4);
}

TEST_F(ViewStateTest, ResetViewWithoutAModelStillResetsTheCamera)
{
    viewState.zoom = 50;
    resetView();
    EXPECT_EQ(viewState.zoom, 0);
}

TEST_F(ViewStateTest, AutoRotationSpinsOneDegreePerIdleAndTiltsFollow)
{
    viewState.angleX = 40;
    EXPECT_FALSE(advanceAutoRotation());
    EXPECT_EQ(viewState.angleX, 40);
    EXPECT_EQ(viewState.spinAngle, 0);

    viewState.autoRotate = true;
    EXPECT_TRUE(advanceAutoRotation());
    EXPECT_EQ(viewState.spinAngle, 1);
    EXPECT_EQ(viewState.angleX, 1);
    EXPECT_EQ(viewState.angleY, 1);

    // A tilt button between two idle calls is overwritten by the next one.
    viewState.angleY += 10;
    viewState.angleX -= 10;
    advanceAutoRotation();
    EXPECT_EQ(viewState.spinAngle, 2);
    EXPECT_EQ(viewState.angleX, 2);
    EXPECT_EQ(viewState.angleY, 2);

    // After a reset the spin starts again from 1.
    resetView();
    advanceAutoRotation();
    EXPECT_EQ(viewState.spinAngle, 1);
    EXPECT_EQ(viewState.angleX, 1);
}

TEST_F(ViewStateTest, EndlessSpinStepsOverTheIntRangeWithoutOverflow)
{
    viewState.autoRotate = true;
    viewState.spinAngle = INT_MAX;
    advanceAutoRotation();
    EXPECT_EQ(viewState.spinAngle, INT_MIN);
    EXPECT_EQ(viewState.angleX, INT_MIN);
    EXPECT_EQ(viewState.angleY, INT_MIN);
}

} // namespace
