// The window table, the pump and the handling of contexts, on the off-screen
// backend.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "OffscreenTestSupport.h"
#include "glut/glut.h"

namespace {

using Log = std::vector<std::string>;
Log callbacks;

void logReshape(int width, int height)
{
    callbacks.push_back("reshape " + std::to_string(width) + "x" + std::to_string(height));
}

void logDisplay()
{
    callbacks.push_back("display");
}

EGLContext currentContext()
{
    eglBindAPI(EGL_OPENGL_API);
    return eglGetCurrentContext();
}

// Dark blue with one red pixel in the top-right corner, so that a read-back
// shows the size and the orientation of the image.
void drawBlueWithRedCorner()
{
    glClearColor(0.0f, 0.0f, 0.5f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(glutGet(GLUT_WINDOW_WIDTH) - 1, glutGet(GLUT_WINDOW_HEIGHT) - 1, 1, 1);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glutSwapBuffers();
    logDisplay();
}

std::array<int, 4> pixelAt(const std::vector<unsigned char>& rgba, int width, int x, int y)
{
    const unsigned char* p = &rgba[(std::size_t(y) * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

class PumpTest : public OffscreenWindowTest {
protected:
    void SetUp() override
    {
        callbacks.clear();
        OffscreenWindowTest::SetUp();
    }
};

TEST_F(PumpTest, NewWindowIsCurrentWithAnRgba8DepthBufferedContext)
{
    EXPECT_NE(currentContext(), EGL_NO_CONTEXT);
    GLint bits[4] = {};
    glGetIntegerv(GL_RED_BITS, &bits[0]);
    glGetIntegerv(GL_GREEN_BITS, &bits[1]);
    glGetIntegerv(GL_BLUE_BITS, &bits[2]);
    glGetIntegerv(GL_DEPTH_BITS, &bits[3]);
    EXPECT_EQ((std::array<GLint, 3>{bits[0], bits[1], bits[2]}), (std::array<GLint, 3>{8, 8, 8}));
    EXPECT_GE(bits[3], 16);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 600);
    EXPECT_EQ(viewport[3], 400);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(PumpTest, IdsCountUpAndBadIdsOrSizesAreHarmless)
{
    const EGLContext ours = currentContext();
    EXPECT_EQ(glutCreateQarnWindow(nullptr, 0, 0, 0, 400), 0);
    EXPECT_EQ(glutCreateQarnWindow(nullptr, 0, 0, 600, -1), 0);
    EXPECT_EQ(glutCreateQarnWindow(nullptr, 0, 0, 1000000, 1000000), 0);
    EXPECT_EQ(currentContext(), ours) << "a failed creation changed the current context";

    const int second = glutCreateQarnWindow(nullptr, 0, 0, 64, 64);
    ASSERT_GT(second, window);
    glutDestroyWindow(second);
    glutDestroyWindow(second);
    const int third = glutCreateQarnWindow(nullptr, 0, 0, 64, 64);
    EXPECT_GT(third, second) << "an id came back";
    unsigned char image[64 * 64 * 4];
    EXPECT_EQ(glutQarnReadPixels(second, image, sizeof image), 0);
    EXPECT_EQ(glutQarnReadPixels(third, image, sizeof image), 1);
    glutDestroyWindow(third);
    for (int bad : {0, -1, third, third + 1000}) {
        glutDestroyWindow(bad);
        EXPECT_EQ(glutQarnDisplayCount(bad), 0);
    }
    // With no current window these do nothing.
    glutDisplayFunc(logDisplay);
    glutPostRedisplay();
    glutReshapeWindow(10, 10);
    glutSwapBuffers();
    EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 0);
    glutMainLoopUpdate();
    EXPECT_TRUE(callbacks.empty());
}

TEST_F(PumpTest, DrawsOnceAfterCreationAndOnceForAnyNumberOfPosts)
{
    glutDisplayFunc(logDisplay);
    glutReshapeFunc(logReshape);
    glutMainLoopUpdate();
    glutMainLoopUpdate();
    EXPECT_EQ(callbacks, (Log{"reshape 600x400", "display"}));

    glutPostRedisplay();
    glutPostRedisplay();
    glutMainLoopUpdate();
    glutMainLoopUpdate();
    EXPECT_EQ(callbacks.size(), 3u);
    EXPECT_EQ(glutQarnDisplayCount(window), 2);
}

TEST_F(PumpTest, PostFromInsideDisplayDrawsAtTheNextPump)
{
    glutDisplayFunc([] {
        logDisplay();
        glutPostRedisplay();
        glutMainLoopUpdate(); // nested: must not draw again
    });
    glutMainLoopUpdate();
    EXPECT_EQ(callbacks.size(), 1u);
    glutMainLoopUpdate();
    EXPECT_EQ(callbacks.size(), 2u);
}

TEST_F(PumpTest, ResizeReshapesBeforeTheNextDisplayAndResizesTheImage)
{
    glutDisplayFunc(drawBlueWithRedCorner);
    glutReshapeFunc(logReshape);
    glutMainLoopUpdate();
    callbacks.clear();

    glutReshapeWindow(300, 200);
    glutMainLoopUpdate();
    EXPECT_EQ(callbacks, (Log{"reshape 300x200", "display"}));
    EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 200);
    std::vector<unsigned char> image(300 * 200 * 4);
    ASSERT_EQ(glutQarnReadPixels(window, image.data(), int(image.size())), 1);
    EXPECT_EQ(pixelAt(image, 300, 299, 199), (std::array<int, 4>{255, 0, 0, 255}));
    EXPECT_EQ(pixelAt(image, 300, 298, 199), (std::array<int, 4>{0, 0, 128, 0}));

    // The same size again, or no size at all, is no change.
    glutReshapeWindow(300, 200);
    glutReshapeWindow(0, -5);
    glutMainLoopUpdate();
    EXPECT_EQ(callbacks.size(), 2u);

    // Without a reshape callback the viewport follows the window.
    glutReshapeFunc(nullptr);
    glutDisplayFunc([] {
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        logReshape(viewport[2], viewport[3]);
    });
    glutReshapeWindow(320, 240);
    glutMainLoopUpdate();
    EXPECT_EQ(callbacks.back(), "reshape 320x240");
}

TEST_F(PumpTest, ReadsBackTheWhole600x400Image)
{
    glutDisplayFunc(drawBlueWithRedCorner);
    glutMainLoopUpdate();
    std::vector<unsigned char> image(600 * 400 * 4, 7);
    EXPECT_EQ(glutQarnReadPixels(window, image.data(), int(image.size()) - 1), 0);
    EXPECT_EQ(glutQarnReadPixels(window, nullptr, int(image.size())), 0);
    EXPECT_EQ(image[0], 7) << "a failed read wrote to the buffer";
    ASSERT_EQ(glutQarnReadPixels(window, image.data(), int(image.size())), 1);
    const std::array<int, 4> blue{0, 0, 128, 0};
    EXPECT_EQ(pixelAt(image, 600, 0, 0), blue);
    EXPECT_EQ(pixelAt(image, 600, 598, 399), blue);
    EXPECT_EQ(pixelAt(image, 600, 599, 399), (std::array<int, 4>{255, 0, 0, 255}));
}

TEST_F(PumpTest, EachWindowDrawsInItsOwnContextAndPostsGoToTheCurrentOne)
{
    static EGLContext drawnIn[2];
    glutDisplayFunc([] { drawnIn[0] = currentContext(); });
    const int second = glutCreateQarnWindow(nullptr, 0, 0, 32, 32);
    ASSERT_NE(second, 0);
    glutDisplayFunc([] { drawnIn[1] = currentContext(); });
    glutMainLoopUpdate();
    EXPECT_NE(drawnIn[0], EGL_NO_CONTEXT);
    EXPECT_NE(drawnIn[1], EGL_NO_CONTEXT);
    EXPECT_NE(drawnIn[0], drawnIn[1]);

    glutPostRedisplay(); // the current window is the one created last
    glutMainLoopUpdate();
    EXPECT_EQ(glutQarnDisplayCount(window), 1);
    EXPECT_EQ(glutQarnDisplayCount(second), 2);
    glutDestroyWindow(second);
}

// A host drawing its own interface with GL on the same thread: its context
// must be current again after everything the view does, once the view's
// creation has finished.
class HostContextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        callbacks.clear();
        auto getPlatformDisplay =
            reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
        ASSERT_NE(getPlatformDisplay, nullptr);
        display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        ASSERT_TRUE(eglInitialize(display, nullptr, nullptr));
        const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
        EGLConfig config = nullptr;
        EGLint count = 0;
        ASSERT_TRUE(eglChooseConfig(display, attributes, &config, 1, &count) && count == 1);
        eglBindAPI(EGL_OPENGL_API);
        host = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
        ASSERT_TRUE(eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, host));

        glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
        window = glutCreateQarnWindow(nullptr, 100, 100, 600, 400);
        ASSERT_NE(window, 0);
    }

    void TearDown() override
    {
        glutDestroyWindow(window);
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display, host);
    }

    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext host = EGL_NO_CONTEXT;
    int window = 0;
};

TEST_F(HostContextTest, HostContextComesBackAfterCreationPumpReadAndDestroy)
{
    static EGLContext seenByDisplay;
    const EGLContext ours = currentContext();
    EXPECT_NE(ours, host) << "the new window's context is not current after creation";
    glutQarnRestoreHostContext();
    EXPECT_EQ(currentContext(), host);

    glutDisplayFunc([] { seenByDisplay = currentContext(); });
    glutMainLoopUpdate();
    EXPECT_EQ(seenByDisplay, ours);
    EXPECT_EQ(currentContext(), host);

    unsigned char image[600 * 400 * 4];
    EXPECT_EQ(glutQarnReadPixels(window, image, sizeof image), 1);
    EXPECT_EQ(currentContext(), host);
    glutDestroyWindow(window);
    EXPECT_EQ(currentContext(), host);
}

TEST_F(HostContextTest, DestroyingTheWindowWhoseContextIsCurrentLeavesNoneCurrent)
{
    glutDestroyWindow(window);
    EXPECT_EQ(currentContext(), EGL_NO_CONTEXT);
    glutQarnRestoreHostContext();
    EXPECT_EQ(currentContext(), host) << "the host's context was forgotten";
}

TEST_F(HostContextTest, DisplayMayDestroyItsOwnWindow)
{
    static int toDestroy;
    toDestroy = window;
    glutQarnRestoreHostContext();
    glutDisplayFunc([] {
        logDisplay();
        glutDestroyWindow(toDestroy);
    });
    glutMainLoopUpdate();
    glutMainLoopUpdate();
    EXPECT_EQ(callbacks, (Log{"display"}));
    EXPECT_EQ(currentContext(), host);
}

} // namespace
