// The editor in a real host window under Windows: the panel and the 3-D view
// side by side, presses on every button, the score read-out, reopening, and
// many open and close cycles.
#include "core/ViewerCore.h"
#include "editor/PanelLayout.h"
#include "editor/ViewerEditorPort.h"
#include "editor/ViewerEditor.h"
#include "framework/EffectBase.h"
#include "gui/Bitmap.h"
#include "gui/EditorFrame.h"
#include "gui/PanelButton.h"
#include "glut/glut.h"
#include "host/driver/PanelTargets.h"
#include "gui/ValueDisplay.h"
#include "gui/ModuleHandle.h"
#include "state/NoteTable.h"
#include "state/PracticeState.h"
#include "formats/vst2/VstEntry.h"
#include "resources/PanelBitmapSizes.h"
#include "tests/support/FakeHost.h"
#include "tests/support/MidiBlock.h"
#include "tests/support/PluginStateReset.h"
#include "tests/support/Win32Window.h"
#include "view3d/GlView.h"
#include "view3d/ViewState.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int hostWidth = 700;
constexpr int hostHeight = 500;

std::string className(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The frame's window class starts with "Plugin"; the view's is the GLUT layer's.
HWND childWindow(HWND parent, bool panel)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((className(child).rfind("Plugin", 0) == 0) == panel)
            return child;
    }
    return nullptr;
}

RECT rectInParent(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<UINT> hostKeys;

LRESULT CALLBACK recordHostKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST)
        hostKeys.push_back(message);
    return DefWindowProcA(window, message, wParam, lParam);
}

class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setModuleInstance(GetModuleHandleA(nullptr));
        resetPluginState();
        host.answer(audioMasterVersion, 2400);
        effect = vstMain(FakeHost::callback, createViewerEditor);
        ASSERT_NE(effect, nullptr);
    }
    void TearDown() override
    {
        dispatch(effEditClose);
        dispatch(effClose);
        window.destroy();
    }

    intptr_t dispatch(int32_t opcode, intptr_t value = 0, void* ptr = nullptr)
    {
        return effect->dispatcher(effect, opcode, 0, value, ptr, 0);
    }
    void open()
    {
        window.create(hostWidth, hostHeight);
        ASSERT_EQ(dispatch(effEditOpen, 0, window.handle()), 1);
        pumpMessages();
    }
    void idle(int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            pumpMessages();
            dispatch(effEditIdle);
        }
    }
    ViewerEditor* editor() const
    {
        return static_cast<ViewerEditor*>(static_cast<EffectBase*>(effect->object)->getEditor());
    }
    HWND parent() const { return static_cast<HWND>(window.handle()); }
    HWND panel() const { return childWindow(parent(), true); }
    HWND view() const { return childWindow(parent(), false); }

    PanelButton* button(int32_t tag) const
    {
        EditorFrame* frame = editor()->getFrame();
        for (int32_t i = 0; frame && i < frame->getChildCount(); ++i) {
            auto* control = dynamic_cast<PanelButton*>(frame->getChild(i));
            if (control && control->getTag() == tag)
                return control;
        }
        return nullptr;
    }
    POINT centreOf(int32_t tag) const
    {
        const Rect area = button(tag)->getRect();
        return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    }
    void press(int32_t tag, UINT message = WM_LBUTTONDOWN)
    {
        const POINT at = centreOf(tag);
        click(panel(), message, at.x, at.y);
        click(panel(), message == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_RBUTTONUP, at.x, at.y);
    }
    std::string readout() const
    {
        char text[256] = {};
        scoreDisplay->formatValue(text);
        return text;
    }

    FakeHost host;
    AEffect* effect = nullptr;
    TestWindow window;
};

TEST_F(EditorWindowTest, TheRectangleHoldsPanelAndViewBeforeAndAfterOpening)
{
    for (int pass = 0; pass < 2; ++pass) {
        ERect* rect = nullptr;
        EXPECT_EQ(dispatch(effEditGetRect, 0, &rect), 1);
        ASSERT_NE(rect, nullptr);
        EXPECT_EQ(rect->top, 0);
        EXPECT_EQ(rect->left, 0);
        EXPECT_EQ(rect->bottom, hostHeight);
        EXPECT_EQ(rect->right, hostWidth);
        if (pass == 0)
            open();
    }
}

TEST_F(EditorWindowTest, OpeningPutsThePanelAboveTheViewBesideIt)
{
    open();
    ASSERT_NE(panel(), nullptr);
    ASSERT_NE(view(), nullptr);
    EXPECT_TRUE(IsWindowVisible(panel()));
    EXPECT_TRUE(IsWindowVisible(view()));

    const RECT panelRect = rectInParent(panel());
    EXPECT_EQ(panelRect.left, 0);
    EXPECT_EQ(panelRect.top, 0);
    EXPECT_EQ(panelRect.right, 135);
    EXPECT_EQ(panelRect.bottom, 215);
    const RECT viewRect = rectInParent(view());
    EXPECT_EQ(viewRect.left, 100);
    EXPECT_EQ(viewRect.top, 100);
    EXPECT_EQ(viewRect.right, 700);
    EXPECT_EQ(viewRect.bottom, 500);
    EXPECT_TRUE(GetWindowLongA(view(), GWL_STYLE) & WS_CLIPSIBLINGS);

    // Children are listed from the top of the z-order down.
    EXPECT_EQ(GetWindow(parent(), GW_CHILD), panel());
}

TEST_F(EditorWindowTest, PressesInTheOverlapReachThePanel)
{
    open();
    for (int32_t tag : {int32_t{TagZoomOut}, int32_t{TagZoomIn}}) {
        const POINT at = centreOf(tag);
        EXPECT_EQ(ChildWindowFromPointEx(parent(), at, CWP_SKIPINVISIBLE), panel()) << tag;
    }
    const POINT inView{400, 300};
    EXPECT_EQ(ChildWindowFromPointEx(parent(), inView, CWP_SKIPINVISIBLE), view());

    const int zoom = viewState.zoom;
    press(TagZoomIn);
    EXPECT_EQ(viewState.zoom, zoom + 10);
}

// The host places its presses from the sizes CMake read off the bitmap files;
// the toolkit sizes the real buttons from the bitmaps Windows loads.
TEST_F(EditorWindowTest, EveryBitmapLoadsAtTheSizeItsFileDeclares)
{
    for (const PanelBitmapSize& expected : panelBitmapSizes) {
        Bitmap* bitmap = new Bitmap(expected.resourceId);
        EXPECT_EQ(bitmap->getWidth(), expected.width) << expected.resourceId;
        EXPECT_EQ(bitmap->getHeight(), expected.height) << expected.resourceId;
        bitmap->release();
    }
}

TEST_F(EditorWindowTest, TheHostsTargetsAreTheButtonsTheEditorBuilt)
{
    open();
    int count = 0;
    const PanelTarget* targets = panelTargets(count);
    EXPECT_EQ(count, static_cast<int>(std::size(panelLayout)));
    for (int i = 0; i < count; ++i) {
        const PanelButton* built = button(targets[i].tag);
        ASSERT_NE(built, nullptr) << targets[i].name;
        const Rect area = built->getRect();
        EXPECT_EQ(area.left, targets[i].left) << targets[i].name;
        EXPECT_EQ(area.top, targets[i].top) << targets[i].name;
        EXPECT_EQ(area.right, targets[i].right) << targets[i].name;
        EXPECT_EQ(area.bottom, targets[i].bottom) << targets[i].name;
    }
}

TEST_F(EditorWindowTest, ThePanelKeepsItsPixelsInTheOverlapAfterTheViewHasDrawn)
{
    open();
    repaint(panel());
    press(TagSpin); // spinning: the view draws at every idle
    idle(5);
    press(TagSpin);
    // The white top-left corner of the zoom-in button, inside the overlap.
    EXPECT_EQ(clientPixel(panel(), 102, 102), RGB(255, 255, 255));
    EXPECT_EQ(clientPixel(panel(), 111, 111), RGB(0, 0, 0));
}

// Keys belong to the host: the editor uses none, answers 0 to the host's key
// calls, never takes the focus (not when opened, not when pressed), and hands
// key messages that reach its windows to the host's window.
TEST_F(EditorWindowTest, KeysBelongToTheHost)
{
    open();
    SetWindowLongPtrA(parent(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordHostKeys));
    const HWND focusBefore = GetFocus();
    press(TagHighlight);
    idle(2);
    EXPECT_EQ(GetFocus(), focusBefore);

    EXPECT_EQ(effect->dispatcher(effect, effEditKeyDown, ' ', VK_SPACE, nullptr, 0), 0);
    EXPECT_EQ(effect->dispatcher(effect, effEditKeyUp, ' ', VK_SPACE, nullptr, 0), 0);
    EXPECT_EQ(effect->dispatcher(effect, effEditKeyDown, 'q', 0, nullptr, 0), 0);

    for (HWND window : {panel(), view()}) {
        hostKeys.clear();
        SendMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
        SendMessageA(window, WM_CHAR, ' ', 1);
        SendMessageA(window, WM_KEYUP, VK_SPACE, 0xC0000001);
        EXPECT_EQ(hostKeys, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    }
}

TEST_F(EditorWindowTest, EveryButtonActsOnceWithEitherMouseButtonAndFlipsItsPicture)
{
    open();
    idle();
    struct Expectation {
        int32_t tag;
        ViewValue<int> ViewState::*number;
        int change;
    };
    const Expectation numbers[] = {
        {TagTurnRight, &ViewState::angleY, -10},
        {TagTiltUp, &ViewState::angleX, -10},
        {TagTiltDown, &ViewState::angleX, +10},
        {TagTurnLeft, &ViewState::angleY, +10},
        {TagZoomOut, &ViewState::zoom, -10},
        {TagZoomIn, &ViewState::zoom, +10},
    };
    UINT message = WM_LBUTTONDOWN;
    for (const Expectation& e : numbers) {
        for (int round = 1; round <= 2; ++round) {
            const int before = viewState.*(e.number);
            press(e.tag, message);
            EXPECT_EQ(viewState.*(e.number), before + e.change) << e.tag;
            EXPECT_EQ(button(e.tag)->getValue(), round == 1 ? 1.0f : 0.0f) << e.tag;
            message = message == WM_LBUTTONDOWN ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
        }
    }

    struct Toggle {
        int32_t tag;
        ViewValue<bool> ViewState::*flag;
    };
    for (const Toggle& t : {Toggle{TagSpin, &ViewState::autoRotate}, Toggle{TagHighlight, &ViewState::showKeyColour},
             Toggle{TagDepress, &ViewState::showKeyMotion}, Toggle{TagLinkedKeys, &ViewState::showLinkedKeys}}) {
        press(t.tag, WM_RBUTTONDOWN);
        EXPECT_TRUE(viewState.*(t.flag)) << t.tag;
        press(t.tag, WM_LBUTTONDOWN);
        EXPECT_FALSE(viewState.*(t.flag)) << t.tag;
        EXPECT_EQ(button(t.tag)->getValue(), 0.0f);
    }

    press(TagScoringRule);
    EXPECT_EQ(practice.scoringRule.load(), 1);
    press(TagScoringRule, WM_RBUTTONDOWN);
    EXPECT_EQ(practice.scoringRule.load(), 0);

    press(TagPractice);
    EXPECT_TRUE(practice.practiceMode.load());

    viewState.zoom = 30;
    noteTable.entries[48].velocity = 90;
    press(TagReset);
    EXPECT_EQ(viewState.zoom, 0);
    EXPECT_EQ(noteTable.entries[48].velocity.load(), 0);
}

TEST_F(EditorWindowTest, APressShowsTheOtherHalfOfTheButtonsBitmap)
{
    open();
    idle();
    repaint(panel());
    const POINT probe{100 + 11, 100 + 11}; // the middle of the plus sign
    const COLORREF symbol = clientPixel(panel(), probe.x, probe.y);
    press(TagZoomIn);
    const COLORREF blank = clientPixel(panel(), probe.x, probe.y);
    press(TagZoomIn);
    EXPECT_EQ(symbol, RGB(0, 0, 0));
    EXPECT_EQ(blank, RGB(255, 255, 255));
    EXPECT_EQ(clientPixel(panel(), probe.x, probe.y), symbol);
}

// The read-out's outline runs along its right and bottom edges too, so a
// button may start no nearer than one pixel beyond them.
TEST_F(EditorWindowTest, TheReadoutSitsOnThePanelClearOfEveryButton)
{
    open();
    ASSERT_NE(scoreDisplay, nullptr);
    const Rect readout = scoreDisplay->getRect();
    const PanelArea expected = readoutArea(panelBitmapSize(TagLinkedKeys).width);
    EXPECT_EQ(readout.left, expected.left);
    EXPECT_EQ(readout.top, expected.top);
    EXPECT_EQ(readout.right, expected.right);
    EXPECT_EQ(readout.bottom, expected.bottom);

    const RECT panelRect = rectInParent(panel());
    EXPECT_GE(readout.left, 0);
    EXPECT_GE(readout.top, 0);
    EXPECT_LT(readout.right, panelRect.right - panelRect.left);
    EXPECT_LT(readout.bottom, panelRect.bottom - panelRect.top);
    for (const PanelPlace& place : panelLayout) {
        const Rect area = button(place.tag)->getRect();
        const bool apart = area.left > readout.right || area.right <= readout.left || area.top > readout.bottom ||
            area.bottom <= readout.top;
        EXPECT_TRUE(apart) << "button " << place.tag << " overlaps the read-out";
    }
}

TEST_F(EditorWindowTest, TheReadoutShowsThePracticePercentage)
{
    open();
    EXPECT_EQ(readout(), "0.00");

    practice.practiceScore = 2;
    practice.practiceMaximum = 3;
    idle();
    EXPECT_EQ(readout(), "66.67");

    practice.practiceScore = 3;
    idle();
    EXPECT_EQ(readout(), "100.00");

    press(TagPractice); // score and maximum back to 0: the read-out keeps its text
    idle();
    EXPECT_EQ(readout(), "100.00");
}

TEST_F(EditorWindowTest, NotesPlayedIntoTheEditorAreScored)
{
    open();
    press(TagPractice);
    MidiBlock block;
    block.noteOn(0, 60, 100).noteOn(15, 60, 100).noteOn(0, 64, 100);
    dispatch(effProcessEvents, 0, block.events());
    idle();
    EXPECT_EQ(readout(), "50.00");
}

TEST_F(EditorWindowTest, ReopeningBuildsAFreshPanelAndKeepsTheView)
{
    open();
    press(TagSpin);
    press(TagZoomIn);
    press(TagHighlight);
    practice.practiceScore = 1;
    practice.practiceMaximum = 2;
    idle(3);
    const int spin = viewState.spinAngle;
    EXPECT_GT(spin, 0);

    dispatch(effEditClose);
    EXPECT_EQ(scoreDisplay, nullptr);
    window.destroy();
    open();

    for (const PanelPlace& place : panelLayout)
        EXPECT_EQ(button(place.tag)->getValue(), 0.0f) << place.tag;
    EXPECT_EQ(readout(), "0.00");
    EXPECT_TRUE(viewState.autoRotate);
    EXPECT_EQ(viewState.zoom, 10);
    EXPECT_TRUE(viewState.showKeyColour);
    idle();
    EXPECT_EQ(viewState.spinAngle, spin + 1);
    EXPECT_EQ(readout(), "50.00");

    press(TagSpin); // the picture says "off" but the press switches the spin off
    EXPECT_FALSE(viewState.autoRotate);
    EXPECT_EQ(button(TagSpin)->getValue(), 1.0f);
}

// GDI objects, device and GL contexts and memory over a thousand cycles are
// counted by the lifetime tests.
TEST_F(EditorWindowTest, HundredOpenAndCloseCyclesLeaveNoWindows)
{
    const int windowsBefore = countThreadWindows();
    for (int cycle = 0; cycle < 100; ++cycle) {
        open();
        idle(2);
        // Hosts differ: some close the editor before destroying its window,
        // some destroy the window first.
        if (cycle % 2 == 0) {
            dispatch(effEditClose);
            window.destroy();
        } else {
            window.destroy();
            dispatch(effEditClose);
        }
    }
    EXPECT_EQ(countThreadWindows(), windowsBefore);
}

TEST_F(EditorWindowTest, AnInstanceKeepsWorkingWhenAnotherCloses)
{
    AEffect* other = vstMain(FakeHost::callback, createViewerEditor);
    ASSERT_NE(other, nullptr);
    TestWindow otherWindow;
    otherWindow.create(hostWidth, hostHeight);
    open();
    EXPECT_EQ(other->dispatcher(other, effEditOpen, 0, 0, otherWindow.handle(), 0), 1);
    other->dispatcher(other, effEditIdle, 0, 0, nullptr, 0);
    other->dispatcher(other, effEditClose, 0, 0, nullptr, 0);
    other->dispatcher(other, effClose, 0, 0, nullptr, 0);
    otherWindow.destroy();

    idle(2);
    press(TagZoomIn);
    EXPECT_EQ(viewState.zoom, 10);
    MidiBlock block;
    block.noteOn(0, 60, 100);
    dispatch(effProcessEvents, 0, block.events());
    idle(2);
    dispatch(effSetProgram, 4);
    idle(2);
}

// The front of the white key of MIDI 60 on the 88-key piano at the default
// view projects to (270, 224) of the view; white keys read white there.
bool viewShowsMiddleC()
{
    std::vector<unsigned char> rgba(600 * 400 * 4);
    if (!glutQarnReadPixels(viewWindow.viewWindowId, rgba.data(), static_cast<int>(rgba.size())))
        return false;
    const size_t at = (static_cast<size_t>(399 - 224) * 600 + 270) * 4; // rows from the bottom up
    return rgba[at] > 200 && rgba[at + 1] > 200 && rgba[at + 2] > 200;
}

TEST_F(EditorWindowTest, AnInstanceClosingLeavesTheOthersInstrumentInItsView)
{
    AEffect* other = vstMain(FakeHost::callback, createViewerEditor);
    ASSERT_NE(other, nullptr);
    open();
    idle(2);
    ASSERT_TRUE(viewShowsMiddleC());

    other->dispatcher(other, effClose, 0, 0, nullptr, 0);
    MidiBlock empty; // a block of nothing still asks for a frame
    dispatch(effProcessEvents, 0, empty.events());
    const int frames = glutQarnDisplayCount(viewWindow.viewWindowId);
    idle(2);
    EXPECT_GT(glutQarnDisplayCount(viewWindow.viewWindowId), frames);
    EXPECT_TRUE(viewShowsMiddleC());
}

} // namespace

// A format other than VST 2 opens the same editor through the core's port.
TEST_F(EditorWindowTest, TheCoresEditorPortBuildsTheSameEditorAndLeavesNoWindows)
{
    ViewerCore core(createViewerEditorPort);
    ASSERT_TRUE(core.hasEditor());
    int32_t width = 0;
    int32_t height = 0;
    ASSERT_TRUE(core.editorSize(width, height));
    EXPECT_EQ(width, hostWidth);
    EXPECT_EQ(height, hostHeight);

    const int windowsBefore = countThreadWindows();
    for (int cycle = 0; cycle < 3; ++cycle) {
        window.create(hostWidth, hostHeight);
        ASSERT_TRUE(core.openEditor(window.handle()));
        pumpMessages();
        ASSERT_NE(panel(), nullptr);
        ASSERT_NE(view(), nullptr);
        EXPECT_EQ(rectInParent(view()).left, 100);
        EXPECT_EQ(GetWindow(parent(), GW_CHILD), panel());
        core.idleEditor();
        core.closeEditor();
        EXPECT_EQ(panel(), nullptr);
        EXPECT_EQ(view(), nullptr);
        window.destroy();
    }
    EXPECT_EQ(countThreadWindows(), windowsBefore);
}
