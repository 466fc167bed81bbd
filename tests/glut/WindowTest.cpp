// GLUT windows as real child windows under Windows (run under Wine on Xvfb):
// placement and styles, contexts handed back to a host that draws with GL
// itself, paint and size messages delivered only by the test's own message
// loop, pixels, and destruction.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "glut/glut.h"
#include "tests/support/Win32Window.h"

namespace {

std::vector<std::string> callbacks;

void logReshape(int width, int height)
{
    callbacks.push_back("reshape " + std::to_string(width) + "x" + std::to_string(height));
}

// Red with a green 10 x 10 square at the bottom-left corner.
void drawRedWithGreenCorner()
{
    glDisable(GL_SCISSOR_TEST);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 10, 10);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glutSwapBuffers();
    callbacks.push_back("display");
}

HWND createTestWindow(const wchar_t* title, DWORD style, HWND owner)
{
    return CreateWindowExW(
        0, L"GlutTestParent", title, style, 0, 0, 900, 700, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// The host: a top-level frame, and beside it a window with the host's own GL
// context. Made once, because without a window manager (as on the test
// display) Wine waits two seconds for every top-level window it destroys.
// Each test gets a fresh editor window inside the frame, as a host hands one
// to the plug-in's editor.
class ChildWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"GlutTestParent";
        RegisterClassExW(&windowClass);

        frame = createTestWindow(L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, nullptr);
        hostWindow = createTestWindow(L"host GL", WS_OVERLAPPEDWINDOW, nullptr);
        for (HWND window : {frame, hostWindow}) {
            // No window manager runs on the test display: show without activating.
            ShowWindow(window, SW_SHOWNOACTIVATE);
        }
        hostDc = GetDC(hostWindow);
        hostContext = createGlContext(hostDc);
    }

    static void TearDownTestSuite()
    {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(hostContext);
        ReleaseDC(hostWindow, hostDc);
        DestroyWindow(hostWindow);
        DestroyWindow(frame);
        pumpMessages();
    }

    void SetUp() override
    {
        callbacks.clear();
        ASSERT_NE(frame, nullptr);
        ASSERT_NE(hostContext, nullptr);
        ASSERT_TRUE(wglMakeCurrent(hostDc, hostContext));
        parent = CreateWindowExW(0, L"GlutTestParent", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 800, 600,
            frame, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
        pumpMessages();
        glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    }

    void TearDown() override
    {
        if (IsWindow(parent)) {
            DestroyWindow(parent);
        }
        pumpMessages();
    }

    // The host's message loop: the only place where messages are dispatched.
    static void pumpMessages()
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    HWND child() const { return FindWindowExW(parent, nullptr, L"QarnGlutWindow", nullptr); }

    static bool hostIsCurrent() { return wglGetCurrentContext() == hostContext && wglGetCurrentDC() == hostDc; }

    // Creates the view's window and gives the host its context back, as the
    // editor's open does.
    int openView()
    {
        const int id = glutCreateQarnWindow(parent, 100, 100, 600, 400);
        glutDisplayFunc(drawRedWithGreenCorner);
        glutReshapeFunc(logReshape);
        glutQarnRestoreHostContext();
        return id;
    }

    static HWND frame;
    static HWND hostWindow;
    static HDC hostDc;
    static HGLRC hostContext;
    HWND parent = nullptr;
};

HWND ChildWindowTest::frame = nullptr;
HWND ChildWindowTest::hostWindow = nullptr;
HDC ChildWindowTest::hostDc = nullptr;
HGLRC ChildWindowTest::hostContext = nullptr;

TEST_F(ChildWindowTest, CreatesAClippedChildAtItsPlaceWithItsContextCurrent)
{
    EXPECT_EQ(glutCreateQarnWindow(nullptr, 100, 100, 600, 400), 0);
    EXPECT_EQ(glutCreateQarnWindow(reinterpret_cast<void*>(0x1234), 100, 100, 600, 400), 0);
    EXPECT_EQ(glutCreateQarnWindow(parent, 100, 100, 0, 400), 0);
    EXPECT_TRUE(hostIsCurrent()) << "a failed creation changed the current context";
    EXPECT_EQ(child(), nullptr);

    const int id = glutCreateQarnWindow(parent, 100, 100, 600, 400);
    ASSERT_GT(id, 0);
    const HWND window = child();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), parent);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const LONG wanted = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    EXPECT_EQ(style & wanted, wanted);

    RECT frame;
    GetWindowRect(window, &frame);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&frame), 2);
    EXPECT_EQ(frame.left, 100);
    EXPECT_EQ(frame.top, 100);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 400);

    EXPECT_NE(wglGetCurrentContext(), nullptr);
    EXPECT_NE(wglGetCurrentContext(), hostContext);
    EXPECT_EQ(WindowFromDC(wglGetCurrentDC()), window);
    ASSERT_NE(glGetString(GL_VERSION), nullptr);
    GLboolean doubleBuffered = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    EXPECT_TRUE(doubleBuffered);
    GLint depthBits = 0;
    GLint redBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetIntegerv(GL_RED_BITS, &redBits);
    EXPECT_GE(depthBits, 16);
    EXPECT_EQ(redBits, 8);

    glutQarnRestoreHostContext();
    EXPECT_TRUE(hostIsCurrent());
    glutDestroyWindow(id);
}

TEST_F(ChildWindowTest, PaintsOnlyAfterTheHostDeliveredThePaintMessage)
{
    const int id = openView();
    ASSERT_GT(id, 0);
    pumpMessages();
    glutMainLoopUpdate();
    EXPECT_EQ(callbacks, (std::vector<std::string>{"reshape 600x400", "display"}));
    EXPECT_TRUE(hostIsCurrent());
    glutMainLoopUpdate();
    const int drawn = glutQarnDisplayCount(id);
    EXPECT_EQ(drawn, 1);

    // Damage the window: the paint message waits in the host's queue, and
    // our pump must neither take it nor anything else from there.
    InvalidateRect(child(), nullptr, FALSE);
    PostMessageW(parent, WM_APP, 7, 0);
    glutMainLoopUpdate();
    EXPECT_EQ(glutQarnDisplayCount(id), drawn);
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, parent, WM_APP, WM_APP, PM_REMOVE)) << "our pump took the host's message";

    pumpMessages();
    EXPECT_EQ(glutQarnDisplayCount(id), drawn) << "drawn inside the window procedure";
    glutMainLoopUpdate();
    EXPECT_EQ(glutQarnDisplayCount(id), drawn + 1);
    EXPECT_TRUE(hostIsCurrent());
    glutDestroyWindow(id);
}

TEST_F(ChildWindowTest, ReadsBackWhatTheDisplayDrewAndReshapesAfterAHostResize)
{
    const int id = openView();
    ASSERT_GT(id, 0);
    glutMainLoopUpdate();
    std::vector<unsigned char> image(600 * 400 * 4);
    ASSERT_EQ(glutQarnReadPixels(id, image.data(), int(image.size())), 1);
    EXPECT_TRUE(hostIsCurrent());
    auto pixel = [&](int x, int y) {
        const unsigned char* p = &image[(std::size_t(y) * 600 + x) * 4];
        return std::vector<int>{p[0], p[1], p[2]};
    };
    EXPECT_EQ(pixel(300, 200), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(pixel(599, 399), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(pixel(5, 5), (std::vector<int>{0, 255, 0}));

    callbacks.clear();
    SetWindowPos(child(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pumpMessages();
    glutMainLoopUpdate();
    EXPECT_EQ(callbacks, (std::vector<std::string>{"reshape 300x200", "display"}));
    EXPECT_TRUE(hostIsCurrent());
    glutDestroyWindow(id);
}

TEST_F(ChildWindowTest, DestroyRemovesTheWindowAndCyclesWork)
{
    int previous = 0;
    for (int cycle = 0; cycle < 2; ++cycle) {
        const int id = openView();
        ASSERT_GT(id, previous);
        previous = id;
        const HWND window = child();
        ASSERT_NE(window, nullptr);
        glutMainLoopUpdate();
        EXPECT_EQ(glutQarnDisplayCount(id), 1);
        glutDestroyWindow(id);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_TRUE(hostIsCurrent());
        EXPECT_EQ(glutQarnDisplayCount(id), 0);
        pumpMessages();
    }
    // Destroyed while its own context is current: none is current afterwards.
    const int last = glutCreateQarnWindow(parent, 100, 100, 600, 400);
    ASSERT_GT(last, previous);
    glutDestroyWindow(last);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    glutQarnRestoreHostContext();
    EXPECT_TRUE(hostIsCurrent());
}

TEST_F(ChildWindowTest, HostDestroyingItsWindowFirstLeavesCloseHarmless)
{
    const int id = openView();
    ASSERT_GT(id, 0);
    DestroyWindow(parent);
    glutPostRedisplay();
    glutMainLoopUpdate();
    EXPECT_EQ(glutQarnDisplayCount(id), 0) << "drew into a destroyed window";
    glutDestroyWindow(id);
    EXPECT_TRUE(hostIsCurrent());
}

// The way frames reach the screen, chosen at each window's creation; the
// variable is cleared again when the test ends.
class PresentModeSetting {
public:
    explicit PresentModeSetting(const char* mode) { _putenv_s("QARN_PRESENT", mode); }
    ~PresentModeSetting() { _putenv_s("QARN_PRESENT", ""); }
    PresentModeSetting(const PresentModeSetting&) = delete;
    PresentModeSetting& operator=(const PresentModeSetting&) = delete;
};

HWND frameCopyOf(HWND view)
{
    return FindWindowExW(view, nullptr, L"QarnGlutFrameCopy", nullptr);
}

std::vector<UINT> parentKeys;

LRESULT CALLBACK recordKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST) {
        parentKeys.push_back(message);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(ChildWindowTest, CopiedFramesShowInAPlainWindowThatFollowsTheView)
{
    PresentModeSetting copy("copy");
    const int id = openView();
    ASSERT_GT(id, 0);
    const HWND presenter = frameCopyOf(child());
    ASSERT_NE(presenter, nullptr);
    EXPECT_EQ(SendMessageW(presenter, WM_NCHITTEST, 0, MAKELPARAM(150, 150)), HTTRANSPARENT)
        << "the copy must leave the mouse to the windows below";
    pumpMessages();
    glutMainLoopUpdate();
    // Through the window's own device context, as GDI shows it; GL's bottom
    // row is the window's last.
    EXPECT_EQ(clientPixel(presenter, 300, 200), RGB(255, 0, 0));
    EXPECT_EQ(clientPixel(presenter, 5, 395), RGB(0, 255, 0));
    EXPECT_EQ(clientPixel(presenter, 5, 385), RGB(255, 0, 0));

    // The frames stay in the back buffer, where a read-back finds them.
    std::vector<unsigned char> image(600 * 400 * 4);
    ASSERT_EQ(glutQarnReadPixels(id, image.data(), int(image.size())), 1);
    EXPECT_EQ(image[(200 * 600 + 300) * 4], 255);

    SetWindowPos(child(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pumpMessages();
    glutMainLoopUpdate();
    RECT client;
    GetClientRect(presenter, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_EQ(clientPixel(presenter, 5, 195), RGB(0, 255, 0));
    EXPECT_EQ(clientPixel(presenter, 150, 100), RGB(255, 0, 0));
    EXPECT_TRUE(hostIsCurrent());

    glutDestroyWindow(id);
    EXPECT_FALSE(IsWindow(presenter));
}

TEST_F(ChildWindowTest, SwappedFramesNeedNoSecondWindow)
{
    PresentModeSetting swap("swap");
    const int id = openView();
    ASSERT_GT(id, 0);
    EXPECT_EQ(frameCopyOf(child()), nullptr);
    glutMainLoopUpdate();
    EXPECT_EQ(glutQarnDisplayCount(id), 1);
    glutDestroyWindow(id);
}

// A host may hand the focus to any window inside its own; keys that reach
// ours still belong to it. Our windows never take the focus themselves.
TEST_F(ChildWindowTest, KeysGoOnToTheParentAndTheFocusStaysWhereItWas)
{
    PresentModeSetting copy("copy");
    const HWND focusBefore = GetFocus();
    SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordKeys));
    const int id = openView();
    ASSERT_GT(id, 0);
    pumpMessages();
    glutMainLoopUpdate();
    EXPECT_EQ(GetFocus(), focusBefore);

    for (HWND window : {child(), frameCopyOf(child())}) {
        ASSERT_NE(window, nullptr);
        parentKeys.clear();
        SendMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
        SendMessageW(window, WM_CHAR, L' ', 1);
        SendMessageW(window, WM_KEYUP, VK_SPACE, 0xC0000001);
        SendMessageW(window, WM_SYSKEYDOWN, 'Q', 0x20000001);
        EXPECT_EQ(parentKeys, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_SYSKEYDOWN}));
    }
    glutDestroyWindow(id);
}

} // namespace
