// The view's life: opening, the idle pump's redraw rule, the score read-out,
// closing and reopening, and following program changes.
#include "tests/view3d/RenderHarness.h"

#include "glut/glut.h"
#include "view3d/ModelSwap.h"
#include "state/PracticeState.h"
#include "state/RedrawRequest.h"
#include "formats/vst2/ViewerPlugin.h"
#include "tests/support/FakeHost.h"
#include "tests/support/PluginStateReset.h"
#include "view3d/GlView.h"
#include "view3d/PianoModel.h"
#include "view3d/ViewState.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(IdlePump, DrawsOnlyWhenAsked)
{
    PianoModel piano{88, 0, 9};
    RenderHarness view{&piano};
    EXPECT_TRUE(glViewReady);
    EXPECT_EQ(viewWindow.viewWidth, 600.0f);
    EXPECT_EQ(viewWindow.viewHeight, 400.0f);

    idleView(); // a new window draws once by itself
    EXPECT_EQ(view.framesDrawn(), 1);
    for (int i = 0; i < 10; ++i)
        idleView();
    EXPECT_EQ(view.framesDrawn(), 1);

    requestRedisplay();
    requestRedisplay();
    idleView();
    EXPECT_EQ(view.framesDrawn(), 2);
    idleView();
    EXPECT_EQ(view.framesDrawn(), 2);
}

TEST(IdlePump, AutoRotationTurnsAndDrawsEveryIdle)
{
    PianoModel piano{61, 1, 0};
    RenderHarness view{&piano};
    idleView();
    viewState.autoRotate = true;
    viewState.angleX = 30;
    for (int i = 1; i <= 3; ++i) {
        idleView();
        EXPECT_EQ(view.framesDrawn(), 1 + i);
        EXPECT_EQ(viewState.spinAngle, i);
        EXPECT_EQ(viewState.angleX, i);
        EXPECT_EQ(viewState.angleY, i);
    }
}

float shownPercent = -1.0f;
void showPercent(float percent)
{
    shownPercent = percent;
}

TEST(IdlePump, WritesTheScoreOnceSomethingCouldBeEarned)
{
    RenderHarness view;
    setScoreReadout(showPercent);
    shownPercent = -1.0f;
    idleView();
    EXPECT_EQ(shownPercent, -1.0f); // maximum 0: the read-out keeps what it shows
    practice.practiceScore = 3;
    practice.practiceMaximum = 4;
    idleView();
    EXPECT_FLOAT_EQ(shownPercent, 75.0f);
    setScoreReadout(nullptr);
    practice.practiceScore = 1;
    idleView(); // no read-out installed: nothing to write to
    EXPECT_FLOAT_EQ(shownPercent, 75.0f);
}

TEST(IdlePump, AClosedViewTouchesNothing)
{
    setScoreReadout(showPercent);
    shownPercent = -1.0f;
    resetPluginState();
    viewState.autoRotate = true;
    practice.practiceMaximum = 2;
    requestRedisplay(); // dropped: no view
    idleView();
    EXPECT_EQ(viewState.spinAngle, 0);
    EXPECT_EQ(shownPercent, -1.0f);
    EXPECT_FALSE(takeRedisplayRequest());
    closeView(); // closing twice is harmless
    setScoreReadout(nullptr);
    resetPluginState();
}

TEST(ViewLifecycle, ReopeningCompilesTheListAgainAndDrawsTheSamePicture)
{
    PianoModel piano{76, 0, 9};
    RenderHarness view{&piano};
    viewState.spinAngle = 20;
    EXPECT_EQ(piano.getDisplayList(), 0u);
    view.drawFrame();
    EXPECT_NE(piano.getDisplayList(), 0u);
    const Image before = view.read();
    const int firstWindow = viewWindow.viewWindowId;

    view.reopen();
    EXPECT_NE(viewWindow.viewWindowId, firstWindow);
    EXPECT_EQ(piano.getDisplayList(), 0u);
    view.drawFrame();
    EXPECT_NE(piano.getDisplayList(), 0u);
    EXPECT_EQ(differingShare(before, view.read(), 0), 0.0);
}

TEST(ViewLifecycle, OpeningTwiceReplacesTheWindow)
{
    PianoModel piano{37, 2, 0};
    RenderHarness view{&piano};
    const int first = viewWindow.viewWindowId;
    openView(nullptr);
    EXPECT_NE(viewWindow.viewWindowId, first);
    EXPECT_EQ(glutQarnDisplayCount(first), 0); // the first window is gone
    view.drawFrame();
    EXPECT_EQ(view.framesDrawn(), 1);
}

TEST(ViewLifecycle, WithoutAModelOnlyTheBackgroundIsDrawn)
{
    currentModel = nullptr;
    RenderHarness view;
    view.drawFrame();
    const Image image = view.read();
    ASSERT_FALSE(image.rgba.empty());
    for (int y = 0; y < image.height; y += 7) {
        for (int x = 0; x < image.width; x += 7) {
            const Colour c = image.at(x, y);
            ASSERT_TRUE(c.r == 0 && c.g == 0 && c.b > 120) << x << ", " << y;
        }
    }
}

TEST(ViewLifecycle, AProgramChangeIsDrawnAtTheNextIdle)
{
    FakeHost host;
    ViewerPlugin plugin(FakeHost::callback);
    plugin.setProgram(3); // the 88-key piano
    RenderHarness view;
    view.drawFrame();
    const Image piano = view.read();
    const int frames = view.framesDrawn();

    plugin.setProgram(4);
    EXPECT_EQ(view.framesDrawn(), frames); // nothing drawn on the caller's thread
    idleView();
    EXPECT_EQ(view.framesDrawn(), frames + 1);
    EXPECT_GT(differingShare(piano, view.read(), 16), 0.05);
    plugin.setProgram(3);
    idleView();
    EXPECT_EQ(differingShare(piano, view.read(), 0), 0.0);
}

} // namespace
