// The host's screen capture of a window with an OpenGL child, set up as the
// plug-in's editor sets up its 3-D view: the GL pixels must be in the picture.
#include "host/win32/WindowCapture.h"
#include "tests/support/Win32Window.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <GL/gl.h>

namespace {

constexpr COLORREF parentColour = RGB(200, 40, 40);

LRESULT CALLBACK plainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerClass(const char* name, HBRUSH background, UINT style)
{
    WNDCLASSA windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = plainProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

void pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

class WindowCaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registerClass("CaptureTestParent", CreateSolidBrush(parentColour), 0);
        registerClass("CaptureTestGl", nullptr, CS_OWNDC);
        RECT outer{0, 0, 300, 200};
        AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
        parent = CreateWindowExA(0, "CaptureTestParent", "capture", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 30, 30,
            outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
        child = CreateWindowExA(0, "CaptureTestGl", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 100, 50, 150, 100,
            parent, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(child, nullptr);
        ShowWindow(parent, SW_SHOWNORMAL);
        UpdateWindow(parent);
        pump();

        dc = GetDC(child);
        context = createGlContext(dc, 16);
        ASSERT_NE(context, nullptr);
        ASSERT_TRUE(wglMakeCurrent(dc, context));
    }

    void TearDown() override
    {
        wglMakeCurrent(nullptr, nullptr);
        if (context)
            wglDeleteContext(context);
        if (dc)
            ReleaseDC(child, dc);
        if (parent)
            DestroyWindow(parent);
    }

    void drawDarkBlue()
    {
        glViewport(0, 0, 150, 100);
        glClearColor(0.0f, 0.0f, 0.5f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glFlush();
        SwapBuffers(dc);
        glFinish();
        pump();
    }

    HWND parent = nullptr;
    HWND child = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
};

TEST_F(WindowCaptureTest, ThePictureHoldsTheParentAndWhatOpenGlDrewInTheChild)
{
    // A plain child above the GL child's top-left corner hides that part of it.
    registerClass("CaptureTestCover", CreateSolidBrush(RGB(0, 255, 0)), 0);
    HWND cover = CreateWindowExA(0, "CaptureTestCover", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 80, 40, 40, 40,
        parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(cover, nullptr);
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    drawDarkBlue();
    RgbImage image;
    std::string error;
    ASSERT_TRUE(captureClientArea(parent, image, error)) << error;
    EXPECT_EQ(image.width, 300);
    EXPECT_EQ(image.height, 200);

    EXPECT_EQ(image.colourAt(20, 20), "c82828");
    EXPECT_EQ(image.colourAt(299, 199), "c82828");
    // glClearColor 0.5 comes out as 127 or 128 depending on the GL's rounding.
    const std::string centre = image.colourAt(175, 100);
    EXPECT_TRUE(centre == "000080" || centre == "00007f") << centre;
    const std::string corner = image.colourAt(249, 149);
    EXPECT_TRUE(corner == "000080" || corner == "00007f") << corner;
    EXPECT_EQ(image.colourAt(250, 150), "c82828");
    EXPECT_EQ(image.colourAt(110, 60), "00ff00");
    EXPECT_EQ(image.colourAt(119, 79), "00ff00");
    const std::string belowCover = image.colourAt(110, 80);
    EXPECT_TRUE(belowCover == "000080" || belowCover == "00007f") << belowCover;
}

TEST(WindowCaptureNoWindowTest, NoWindowNoPicture)
{
    RgbImage image;
    std::string error;
    EXPECT_FALSE(captureClientArea(nullptr, image, error));
    EXPECT_FALSE(error.empty());
}

} // namespace
