// The view inside a real parent window (Windows, run under Wine on Xvfb):
// it opens where the editor puts it, draws when the host's idle pumps it,
// follows a program change, leaves the host's GL context current, and
// closes and reopens cleanly.
#include <windows.h>

#include "glut/glut.h"
#include "view3d/ModelSwap.h"
#include "state/RedrawRequest.h"
#include "formats/vst2/ViewerPlugin.h"
#include "tests/support/FakeHost.h"
#include "tests/support/PluginStateReset.h"
#include "tests/support/Win32Window.h"
#include "view3d/GlView.h"
#include "view3d/InstrumentModel.h"
#include "view3d/ViewState.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

HWND createShownWindow(const wchar_t* title)
{
    HWND window = CreateWindowExW(0, L"View3dTestParent", title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 900, 700,
        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    // No window manager runs on the test display: show without activating.
    ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

// What the host's message loop does between two idle calls.
void pumpHostMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HWND firstChildOf(HWND parent)
{
    return FindWindowExW(parent, nullptr, nullptr, nullptr);
}

// The image the view shows, rows from the bottom up; empty if unreadable.
std::vector<unsigned char> shownPixels()
{
    std::vector<unsigned char> rgba(600 * 400 * 4);
    if (!glutQarnReadPixels(viewWindow.viewWindowId, rgba.data(), static_cast<int>(rgba.size())))
        rgba.clear();
    return rgba;
}

bool sameCentre(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
{
    for (int y = 150; y < 250; y += 5) {
        for (int x = 200; x < 400; x += 5) {
            const size_t i = (static_cast<size_t>(y) * 600 + x) * 4;
            if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2])
                return false;
        }
    }
    return true;
}

class ViewWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"View3dTestParent";
        RegisterClassExW(&windowClass);
        parent = createShownWindow(L"editor");
        ASSERT_NE(parent, nullptr);

        // A host that draws its own interface with GL on the same thread.
        hostWindow = createShownWindow(L"host");
        hostDc = GetDC(hostWindow);
        hostContext = createGlContext(hostDc);
        ASSERT_NE(hostContext, nullptr);
        ASSERT_TRUE(wglMakeCurrent(hostDc, hostContext));
        pumpHostMessages();
        resetPluginState();
    }

    void TearDown() override
    {
        closeView();
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(hostContext);
        ReleaseDC(hostWindow, hostDc);
        DestroyWindow(hostWindow);
        DestroyWindow(parent);
        pumpHostMessages();
    }

    // One host idle: messages first, then the editor's idle.
    void hostIdle()
    {
        pumpHostMessages();
        idleView();
    }

    bool hostContextIsCurrent() const { return wglGetCurrentContext() == hostContext && wglGetCurrentDC() == hostDc; }

    HWND parent = nullptr;
    HWND hostWindow = nullptr;
    HDC hostDc = nullptr;
    HGLRC hostContext = nullptr;
};

TEST_F(ViewWindowTest, OpensInsideTheParentDrawsAndFollowsAProgramChange)
{
    FakeHost host;
    ViewerPlugin plugin(FakeHost::callback);
    plugin.setProgram(3); // the 88-key piano

    openView(parent);
    EXPECT_TRUE(hostContextIsCurrent());
    ASSERT_TRUE(glViewReady);
    HWND child = firstChildOf(parent);
    ASSERT_NE(child, nullptr);
    RECT placed;
    GetWindowRect(child, &placed);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 100);
    EXPECT_EQ(placed.top, 100);
    EXPECT_EQ(placed.right - placed.left, 600);
    EXPECT_EQ(placed.bottom - placed.top, 400);

    hostIdle();
    EXPECT_TRUE(hostContextIsCurrent());
    const int firstFrames = glutQarnDisplayCount(viewWindow.viewWindowId);
    EXPECT_GE(firstFrames, 1);
    const std::vector<unsigned char> piano = shownPixels();
    ASSERT_FALSE(piano.empty());
    // The corner shows the dark blue background, the centre the keyboard.
    EXPECT_EQ(piano[0], 0);
    EXPECT_NEAR(piano[2], 128, 1);
    const size_t centre = (200 * 600 + 300) * 4;
    EXPECT_GT(piano[centre], 100);

    hostIdle();
    EXPECT_EQ(glutQarnDisplayCount(viewWindow.viewWindowId), firstFrames); // nothing asked, nothing drawn

    plugin.setProgram(4);
    hostIdle();
    EXPECT_EQ(glutQarnDisplayCount(viewWindow.viewWindowId), firstFrames + 1);
    EXPECT_FALSE(sameCentre(piano, shownPixels()));
    EXPECT_TRUE(hostContextIsCurrent());

    closeView();
    EXPECT_FALSE(glViewReady);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_TRUE(hostContextIsCurrent());
}

TEST_F(ViewWindowTest, SurvivesCloseAndReopenWithTheListCompiledAgain)
{
    FakeHost host;
    ViewerPlugin plugin(FakeHost::callback);
    plugin.setProgram(3);
    viewState.spinAngle = 30;

    openView(parent);
    hostIdle();
    ASSERT_NE(currentModel, nullptr);
    EXPECT_NE(currentModel->getDisplayList(), 0u);
    const std::vector<unsigned char> before = shownPixels();
    ASSERT_FALSE(before.empty());
    EXPECT_NEAR(before[2], 128, 1); // the background's blue
    HWND firstChild = firstChildOf(parent);
    closeView();
    EXPECT_FALSE(IsWindow(firstChild));
    hostIdle(); // a closed view ignores idle calls
    EXPECT_EQ(viewState.spinAngle, 30);

    openView(parent);
    EXPECT_EQ(currentModel->getDisplayList(), 0u);
    HWND secondChild = firstChildOf(parent);
    ASSERT_NE(secondChild, nullptr);
    hostIdle();
    EXPECT_NE(currentModel->getDisplayList(), 0u);
    EXPECT_GE(glutQarnDisplayCount(viewWindow.viewWindowId), 1);
    const std::vector<unsigned char> after = shownPixels();
    ASSERT_FALSE(after.empty());
    EXPECT_TRUE(sameCentre(before, after));
    EXPECT_TRUE(hostContextIsCurrent());

    closeView();
    EXPECT_FALSE(IsWindow(secondChild));
    EXPECT_EQ(firstChildOf(parent), nullptr);
}

TEST_F(ViewWindowTest, WithoutAWindowTheHostsContextIsLeftAlone)
{
    openView(nullptr); // no parent: GLUT cannot create the window
    EXPECT_FALSE(glViewReady);
    EXPECT_TRUE(hostContextIsCurrent());
    float clear[4] = {1, 1, 1, 1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[2], 0.0f); // not the view's dark blue
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    idleView();
    closeView();
}

} // namespace
