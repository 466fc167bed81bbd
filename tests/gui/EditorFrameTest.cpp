#include <windows.h>

#include <algorithm>

#include "gui/Bitmap.h"
#include "gui/EditorFrame.h"
#include "gui/GraphicsContext.h"
#include "GuiTestSupport.h"
#include "tests/support/GdiCallLog.h"

namespace {

using EditorFrameTest = GuiTest;
using Log = EventLog;

HWND hwnd(void* window)
{
    return static_cast<HWND>(window);
}

TEST_F(EditorFrameTest, FramesShareOneWindowClassThatGoesWithTheLastFrame)
{
    TestWindow parent(320, 240);
    ASSERT_FALSE(frameClassRegistered());
    auto* first = new EditorFrame(Rect(0, 0, 100, 80), parent.handle(), nullptr);
    auto* second = new EditorFrame(Rect(0, 0, 50, 40), parent.handle(), nullptr);
    auto* windowless = new EditorFrame(Rect(0, 0, 50, 40), nullptr, nullptr);
    EXPECT_EQ(windowless->getWindow(), nullptr);
    // A parent that is no window: creation fails and the class use is given back.
    delete new EditorFrame(Rect(0, 0, 50, 40), reinterpret_cast<void*>(0x1234), nullptr);
    char name[32] = {};
    GetClassNameA(hwnd(first->getWindow()), name, sizeof(name));
    // The test program is linked at 0x0ab00000: leading zeros and lower-case
    // letters, as many digits as a handle has.
#ifdef _WIN64
    EXPECT_STREQ(name, "Plugin000000000ab00000");
#else
    EXPECT_STREQ(name, "Plugin0ab00000");
#endif
    EXPECT_EQ(expectedFrameClassName(), name);
    delete windowless;
    delete first;
    EXPECT_TRUE(frameClassRegistered());
    delete second;
    EXPECT_FALSE(frameClassRegistered());
}

TEST_F(EditorFrameTest, FrameWindowIsAVisibleChildAtTheOriginWithTheFramesSize)
{
    TestWindow parent(320, 240);
    EditorFrame frame(Rect(0, 0, 100, 80), parent.handle(), nullptr);
    HWND window = hwnd(frame.getWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), hwnd(parent.handle()));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
    RECT placed;
    GetWindowRect(window, &placed);
    MapWindowPoints(nullptr, hwnd(parent.handle()), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 0);
    EXPECT_EQ(placed.right, 100);
    EXPECT_EQ(placed.bottom, 80);
    char title[16] = {};
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ(title, "Window");
}

TEST_F(EditorFrameTest, ButtonPressesReachTheTopMostChildUnderThePointAndReleasesDoNothing)
{
    TestWindow parent(320, 240);
    Log log;
    EditorFrame frame(Rect(0, 0, 100, 80), parent.handle(), nullptr);
    frame.addChild(new RecordingView(Rect(10, 10, 30, 30), "A", &log));
    frame.addChild(new RecordingView(Rect(20, 20, 40, 40), "B", &log));
    frame.addChild(new RecordingView(Rect(50, 10, 60, 20), "C", &log));
    pumpMessages();
    log.clear();
    void* window = frame.getWindow();
    click(window, WM_LBUTTONDOWN, 25, 25);
    click(window, WM_LBUTTONDOWN, 40, 40);
    click(window, WM_LBUTTONDOWN, 10, 10);
    click(window, WM_RBUTTONDOWN, 30, 30);
    click(window, WM_RBUTTONDOWN, 60, 20);
    click(window, WM_LBUTTONUP, 25, 25);
    click(window, WM_RBUTTONUP, 25, 25);
    click(window, WM_MBUTTONDOWN, 25, 25);
    click(window, WM_LBUTTONDOWN, 45, 45);
    EXPECT_EQ(log, (Log{"press B 25,25", "press B 40,40", "press A 10,10", "press B 30,30", "press C 60,20"}));
}

TEST_F(EditorFrameTest, OverlayTakesPressesInsideItAndSwallowsTheOthers)
{
    Log log;
    EditorFrame frame(Rect(0, 0, 100, 80), nullptr, nullptr);
    auto* overlay = new RecordingView(Rect(0, 0, 15, 15), "O", &log);
    auto* other = new RecordingView(Rect(50, 50, 60, 60), "X", &log);
    frame.addChild(overlay);
    frame.addChild(other);
    EXPECT_TRUE(frame.setOverlayView(overlay));
    EXPECT_FALSE(frame.setOverlayView(other));
    frame.onMouseDown(nullptr, Point(15, 15));
    frame.onMouseDown(nullptr, Point(55, 55));
    EXPECT_TRUE(frame.setOverlayView(nullptr));
    frame.onMouseDown(nullptr, Point(55, 55));
    EXPECT_EQ(log, (Log{"press O 15,15", "press X 55,55"}));
}

TEST_F(EditorFrameTest, FocusViewLosesFocusWhenAPressFallsOutsideIt)
{
    Log log;
    EditorFrame frame(Rect(0, 0, 100, 80), nullptr, nullptr);
    auto* field = new RecordingView(Rect(0, 0, 20, 20), "F", &log);
    frame.addChild(field);
    frame.addChild(new RecordingView(Rect(30, 0, 50, 20), "G", &log));
    frame.setFocusView(field);
    frame.onMouseDown(nullptr, Point(20, 20));
    EXPECT_EQ(frame.getFocusView(), field);
    frame.onMouseDown(nullptr, Point(30, 5));
    EXPECT_EQ(frame.getFocusView(), nullptr);
    frame.onMouseDown(nullptr, Point(31, 5));
    EXPECT_EQ(log, (Log{"press F 20,20", "focusLost F", "press G 30,5", "press G 31,5"}));
}

TEST_F(EditorFrameTest, PaintDrawsBackdropThenChildrenInOrderThenTheOverlay)
{
    TestWindow parent(320, 240);
    Log log;
    EditorFrame frame(Rect(0, 0, 100, 80), parent.handle(), nullptr);
    Bitmap* backdrop = new Bitmap(backdropBitmap);
    frame.setBackdrop(backdrop);
    backdrop->release();
    auto* overlay = new RecordingView(Rect(35, 35, 45, 45), "O", &log, ColorGreen);
    frame.addChild(overlay);
    frame.addChild(new RecordingView(Rect(10, 10, 40, 40), "A", &log, ColorRed));
    frame.addChild(new RecordingView(Rect(30, 30, 60, 50), "B", &log, ColorBlue));
    frame.setOverlayView(overlay);
    EXPECT_TRUE(frame.isFirstPaintPending());
    repaint(frame.getWindow());
    EXPECT_FALSE(frame.isFirstPaintPending());
    EXPECT_EQ(log, (Log{"draw O", "draw A", "draw B", "draw O"}));
    void* window = frame.getWindow();
    EXPECT_EQ(windowPixel(window, 5, 5), Teal);
    EXPECT_EQ(windowPixel(window, 79, 59), Orange);
    EXPECT_EQ(windowPixel(window, 20, 20), ColorRed);
    EXPECT_EQ(windowPixel(window, 35, 32), ColorBlue);
    EXPECT_EQ(windowPixel(window, 40, 40), ColorGreen);
    EXPECT_EQ(gdiLog::openPaints(), 0);
}

TEST_F(EditorFrameTest, ChildArrayGrowsByTenAndRemovalGivesTheViewBack)
{
    Log log;
    EditorFrame frame(Rect(0, 0, 100, 80), nullptr, nullptr);
    std::vector<View*> views;
    for (int i = 0; i < 11; ++i) {
        views.push_back(new RecordingView(Rect(i, 0, i + 1, 1), std::to_string(i), &log));
        ASSERT_TRUE(frame.addChild(views.back()));
        EXPECT_EQ(frame.getChildCapacity(), i < 10 ? 10 : 20);
    }
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(frame.getChild(i), views[i]);
        EXPECT_EQ(views[i]->getParent(), &frame);
    }
    EXPECT_FALSE(frame.addChild(nullptr));
    EXPECT_FALSE(frame.addChild(views[3]));
    frame.setOverlayView(views[3]);
    frame.setFocusView(views[3]);
    EXPECT_TRUE(frame.removeChild(views[3]));
    EXPECT_TRUE(frame.removeChild(views[3]));
    EXPECT_EQ(frame.getChildCount(), 10);
    EXPECT_EQ(frame.getChild(3), views[4]);
    EXPECT_EQ(frame.getOverlayView(), nullptr);
    EXPECT_EQ(frame.getFocusView(), nullptr);
    EXPECT_EQ(views[3]->getParent(), &frame);
    EXPECT_TRUE(log.empty());
    delete views[3];
}

TEST_F(EditorFrameTest, IdleRefreshWaitsForTheFirstPaintAndRedrawChildDrawsAtOnce)
{
    TestWindow parent(320, 240);
    Log log;
    EditorFrame frame(Rect(0, 0, 100, 80), parent.handle(), nullptr);
    Bitmap* backdrop = new Bitmap(backdropBitmap);
    frame.setBackdrop(backdrop);
    backdrop->release();
    auto* a = new RecordingView(Rect(10, 10, 20, 20), "A", &log, ColorRed);
    auto* b = new RecordingView(Rect(30, 10, 40, 20), "B", &log, ColorBlue);
    frame.addChild(a);
    frame.addChild(b);
    frame.idleRefresh();
    click(frame.getWindow(), WM_LBUTTONDOWN, 15, 15); // also dispatches the pending paint
    EXPECT_EQ(log, (Log{"press A 15,15", "draw A", "draw B"}));
    log.clear();
    frame.idleRefresh();
    frame.setOverlayView(b);
    frame.idleRefresh();
    frame.setOverlayView(nullptr);
    EXPECT_EQ(log, (Log{"refresh A", "refresh B", "refresh B"}));
    log.clear();
    frame.redrawChild(b);
    RecordingView stranger(Rect(0, 0, 100, 80), "S", &log, ColorYellow);
    frame.redrawChild(&stranger);
    frame.redrawChild(nullptr);
    EXPECT_EQ(log, (Log{"draw B", "draw A", "draw B", "draw A", "draw B"}));
    EXPECT_EQ(windowPixel(frame.getWindow(), 5, 5), Teal);
    EXPECT_EQ(windowPixel(frame.getWindow(), 15, 15), ColorRed);
}

TEST_F(EditorFrameTest, IdleRefreshWithNothingToRedrawReachesNoChild)
{
    TestWindow parent(320, 240);
    Log log;
    EditorFrame frame(Rect(0, 0, 100, 80), parent.handle(), nullptr);
    auto* a = new RecordingView(Rect(10, 10, 20, 20), "A", &log);
    auto* b = new RecordingView(Rect(30, 10, 40, 20), "B", &log);
    a->wantsRefresh = false;
    b->wantsRefresh = false;
    frame.addChild(a);
    frame.addChild(b);
    repaint(frame.getWindow());
    log.clear();
    EXPECT_FALSE(frame.needsRefresh());
    frame.idleRefresh();
    EXPECT_TRUE(log.empty());

    // One child with something to redraw: the pass runs over all of them.
    b->wantsRefresh = true;
    EXPECT_TRUE(frame.needsRefresh());
    frame.idleRefresh();
    EXPECT_EQ(log, (Log{"refresh A", "refresh B"}));
}

TEST_F(EditorFrameTest, FrameWhoseWindowTheHostDestroyedStopsDrawingAndLeavesTheDeadWindowAlone)
{
    auto* parent = new TestWindow(320, 240);
    Log log;
    auto* frame = new EditorFrame(Rect(0, 0, 100, 80), parent->handle(), nullptr);
    frame->addChild(new RecordingView(Rect(10, 10, 20, 20), "A", &log));
    repaint(frame->getWindow());
    HWND dead = hwnd(frame->getWindow());
    delete parent;
    EXPECT_FALSE(IsWindow(dead));
    EXPECT_FALSE(frame->isWindowOpen());
    EXPECT_EQ(frame->getWindow(), nullptr);
    EXPECT_EQ(frame->getParentWindow(), nullptr);
    log.clear();
    gdiLog::clearTouchedWindows();
    PixelCanvas canvas(4, 4, ColorBlack);
    GraphicsContext context(frame, canvas.dc(), nullptr);
    frame->idleRefresh();
    frame->refresh(&context);
    frame->redrawChild(nullptr);
    delete frame;
    EXPECT_EQ(log, (Log{"deleted A"}));
    EXPECT_TRUE(gdiLog::touchedWindows().empty());
    EXPECT_FALSE(frameClassRegistered());
}

TEST_F(EditorFrameTest, DestructorTellsTheFocusViewDeletesChildrenInOrderAndReleasesEverything)
{
    TestWindow parent(320, 240);
    Log log;
    auto* frame = new EditorFrame(Rect(0, 0, 100, 80), parent.handle(), nullptr);
    Bitmap* backdrop = new Bitmap(backdropBitmap);
    HGDIOBJ image = backdrop->getHandle();
    frame->setBackdrop(backdrop);
    backdrop->release();
    auto* focus = new RecordingView(Rect(0, 0, 10, 10), "F", &log);
    frame->addChild(new RecordingView(Rect(0, 0, 10, 10), "A", &log));
    frame->addChild(focus);
    frame->setFocusView(focus);
    HWND window = hwnd(frame->getWindow());
    delete frame;
    EXPECT_EQ(log, (Log{"focusLost F", "deleted A", "deleted F"}));
    EXPECT_EQ(GetObjectType(image), 0u);
    EXPECT_FALSE(IsWindow(window));
}

} // namespace
