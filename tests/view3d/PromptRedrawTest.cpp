// A redraw request reaches the view without waiting for the host's idle: the
// host's message loop delivers the wake and the frame is drawn there, once for
// a whole burst, with the host's GL context current again afterwards.
// (Windows, run under Wine on Xvfb.)
#include <windows.h>

#include "glut/glut.h"
#include "formats/vst2/VstEventBlock.h"
#include "state/RedrawRequest.h"
#include "formats/vst2/ViewerPlugin.h"
#include "tests/support/FakeHost.h"
#include "tests/support/MidiBlock.h"
#include "tests/support/PluginStateReset.h"
#include "tests/support/Win32Window.h"
#include "view3d/GlView.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// How long the host's message loop may take to deliver a wake and its frame
// before the test gives up: a bound on waiting, not a measure of speed.
constexpr DWORD patienceMs = 3000;

int framesDrawn()
{
    return glutQarnDisplayCount(viewWindow.viewWindowId);
}

// The host's message loop between two idles, until `frames` have been drawn
// or patience runs out.
void runMessageLoopUntil(int frames)
{
    const DWORD start = GetTickCount();
    while (framesDrawn() < frames && GetTickCount() - start < patienceMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        pumpMessages();
    }
}

// The loop for a while longer, to see that nothing more is drawn.
void runMessageLoopFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        pumpMessages();
    }
}

MidiBlock thousandNotes()
{
    MidiBlock block;
    for (int i = 0; i < 1000; ++i)
        block.noteOn(i % 16, 21 + i % 88, 100);
    return block;
}

class PromptRedrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        editorWindow.create(800, 600);
        hostWindow.create(200, 200);
        hostDc = GetDC(hostWindow.handle());
        hostContext = createGlContext(hostDc);
        ASSERT_NE(hostContext, nullptr);
        ASSERT_TRUE(wglMakeCurrent(hostDc, hostContext));
        openView(editorWindow.handle());
        ASSERT_TRUE(glViewReady);
        pumpMessages();
        idleView(); // the first frame
        firstFrames = framesDrawn();
        ASSERT_GE(firstFrames, 1);
        runMessageLoopFor(2 * 15); // the next frame need not be held back
    }

    void TearDown() override
    {
        closeView();
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(hostContext);
        ReleaseDC(hostWindow.handle(), hostDc);
        resetPluginState();
    }

    bool hostContextIsCurrent() const { return wglGetCurrentContext() == hostContext && wglGetCurrentDC() == hostDc; }

    FakeHost host;
    ViewerPlugin plugin{FakeHost::callback};
    TestWindow editorWindow;
    TestWindow hostWindow;
    HDC hostDc = nullptr;
    HGLRC hostContext = nullptr;
    int firstFrames = 0;
};

TEST_F(PromptRedrawTest, ABlockFromTheProcessingThreadIsDrawnByTheMessageLoopAloneInOneFrame)
{
    MidiBlock block = thousandNotes();
    std::thread processing([&block] { receiveMidiBlock(block.events(), nullptr); });
    processing.join();

    runMessageLoopUntil(firstFrames + 1);
    EXPECT_EQ(framesDrawn(), firstFrames + 1);
    EXPECT_TRUE(hostContextIsCurrent());
    runMessageLoopFor(50);
    idleView(); // the idle finds the request taken
    EXPECT_EQ(framesDrawn(), firstFrames + 1);
}

TEST_F(PromptRedrawTest, RequestsRightAfterAFrameJoinOneHeldBackFrame)
{
    MidiBlock block = thousandNotes();
    receiveMidiBlock(block.events(), nullptr);
    runMessageLoopUntil(firstFrames + 1);
    ASSERT_EQ(framesDrawn(), firstFrames + 1);

    // Within the spacing after that frame: the wake is held back by the
    // view's timer, and all three blocks make one frame when it fires.
    for (int i = 0; i < 3; ++i)
        receiveMidiBlock(block.events(), nullptr);
    runMessageLoopUntil(firstFrames + 2);
    EXPECT_EQ(framesDrawn(), firstFrames + 2);
    runMessageLoopFor(50);
    EXPECT_EQ(framesDrawn(), firstFrames + 2);
    EXPECT_TRUE(hostContextIsCurrent());
}

TEST_F(PromptRedrawTest, IdlesStillDrawAndAClosedViewIsNotWoken)
{
    MidiBlock block = thousandNotes();
    receiveMidiBlock(block.events(), nullptr);
    idleView(); // before the loop delivers the wake
    EXPECT_EQ(framesDrawn(), firstFrames + 1);
    runMessageLoopFor(50); // the wake finds nothing left to draw
    EXPECT_EQ(framesDrawn(), firstFrames + 1);

    closeView();
    receiveMidiBlock(block.events(), nullptr);
    runMessageLoopFor(50);
    EXPECT_FALSE(redisplayRequested());
}

} // namespace
