// The GLX backend: GLUT windows as children of a host's X window, each with
// its own GLX context, on a connection of the layer's own; and the wakes that
// reach a thread waiting for its windows' events.
// GoogleTest first: Xlib's macros (None, Bool) would rename its code.
#include <gtest/gtest.h>

#include <GL/glx.h>
#include <X11/Xutil.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "glut/glut.h"
#include "tests/support/X11TestWindow.h"

namespace {

using Colour = std::array<int, 3>;
const Colour blue{0, 0, 128};
const Colour red{255, 0, 0};
const Colour green{0, 255, 0};

// How long a test waits for something another thread must do: a bound on
// waiting, not a measure of speed.
constexpr auto patience = std::chrono::seconds(10);

void clearTo(float r, float g, float b)
{
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Dark blue with one red pixel in the top-right corner, so that a read-back
// and the screen show the size and the orientation of the image.
void drawBlueWithRedCorner()
{
    clearTo(0.0f, 0.0f, 0.5f);
    glEnable(GL_SCISSOR_TEST);
    glScissor(glutGet(GLUT_WINDOW_WIDTH) - 1, glutGet(GLUT_WINDOW_HEIGHT) - 1, 1, 1);
    clearTo(1.0f, 0.0f, 0.0f);
    glDisable(GL_SCISSOR_TEST);
    glutSwapBuffers();
}

void drawGreen()
{
    clearTo(0.0f, 1.0f, 0.0f);
    glutSwapBuffers();
}

Colour readBackPixel(int window, int width, int height, int x, int y)
{
    std::vector<unsigned char> rgba(std::size_t(width) * height * 4);
    if (glutQarnReadPixels(window, rgba.data(), int(rgba.size())) == 0) {
        return {-1, -1, -1};
    }
    const unsigned char* p = &rgba[(std::size_t(y) * width + x) * 4];
    return {p[0], p[1], p[2]};
}

// Errors that reach the handler installed before ours, by connection.
std::atomic<int> errorsSeenByTheHost{0};
int hostErrorHandler(Display*, XErrorEvent*)
{
    ++errorsSeenByTheHost;
    return 0;
}

class GlxWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.valid()) << "no X display (DISPLAY=" << (getenv("DISPLAY") ? getenv("DISPLAY") : "") << ")";
        glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    }

    int createView()
    {
        const int window = glutCreateQarnWindow(host.parent(), 100, 100, 600, 400);
        glutDisplayFunc(drawBlueWithRedCorner);
        return window;
    }

    X11TestWindow host;
};

TEST_F(GlxWindowTest, TheViewIsAChildOfTheHostsWindowAtItsPlaceWithAnRgba8DepthBufferedContext)
{
    EXPECT_EQ(glutQarnEventsNeedWaiting(), 1);
    const int window = createView();
    ASSERT_NE(window, 0);
    GLint bits[4] = {};
    glGetIntegerv(GL_RED_BITS, &bits[0]);
    glGetIntegerv(GL_GREEN_BITS, &bits[1]);
    glGetIntegerv(GL_BLUE_BITS, &bits[2]);
    glGetIntegerv(GL_DEPTH_BITS, &bits[3]);
    EXPECT_EQ((std::array<GLint, 3>{bits[0], bits[1], bits[2]}), (std::array<GLint, 3>{8, 8, 8}));
    EXPECT_GE(bits[3], 16);
    GLboolean doubleBuffered = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    EXPECT_TRUE(doubleBuffered);

    const std::vector<Window> children = host.children();
    ASSERT_EQ(children.size(), 1u);
    Window root = 0;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    ASSERT_NE(XGetGeometry(host.connection(), children[0], &root, &x, &y, &width, &height, &border, &depth), 0);
    EXPECT_EQ((std::array<unsigned int, 4>{unsigned(x), unsigned(y), width, height}),
        (std::array<unsigned int, 4>{100, 100, 600, 400}));

    // Keys and mouse presses are the host's: nobody listens for them on ours.
    XWindowAttributes attributes{};
    ASSERT_NE(XGetWindowAttributes(host.connection(), children[0], &attributes), 0);
    EXPECT_EQ(attributes.map_state, IsViewable);
    EXPECT_EQ(attributes.all_event_masks & (KeyPressMask | KeyReleaseMask | ButtonPressMask | FocusChangeMask), 0);
    XWMHints* hints = XGetWMHints(host.connection(), children[0]);
    ASSERT_NE(hints, nullptr);
    EXPECT_TRUE((hints->flags & InputHint) != 0 && hints->input == False);
    XFree(hints);
    glutDestroyWindow(window);
    EXPECT_TRUE(host.children().empty());
}

TEST_F(GlxWindowTest, AFrameIsReadBackAndShownOnTheScreenTheRightWayUp)
{
    const int window = createView();
    ASSERT_NE(window, 0);
    glutMainLoopUpdate();
    ASSERT_EQ(glutQarnDisplayCount(window), 1);
    EXPECT_EQ(readBackPixel(window, 600, 400, 0, 0), blue);
    EXPECT_EQ(readBackPixel(window, 600, 400, 599, 399), red);
    const Window child = host.children().at(0);
    EXPECT_EQ(host.screenPixel(child, 0, 399), blue);
    EXPECT_EQ(host.screenPixel(child, 599, 0), red);
    EXPECT_EQ(host.screenPixel(host.handle(), 99, 99), (Colour{255, 255, 255})) << "drawn outside the view";
    glutDestroyWindow(window);
}

TEST_F(GlxWindowTest, ExposedAreasAreDrawnAgainAndResizesReshape)
{
    static std::vector<std::array<int, 2>> reshapes;
    reshapes.clear();
    const int window = createView();
    ASSERT_NE(window, 0);
    glutReshapeFunc([](int width, int height) {
        reshapes.push_back({width, height});
        glViewport(0, 0, width, height);
    });
    glutMainLoopUpdate();
    glutMainLoopUpdate();
    ASSERT_EQ(glutQarnDisplayCount(window), 1);

    // What another window uncovering ours makes the server send.
    XClearArea(host.connection(), host.children().at(0), 10, 10, 50, 50, True);
    XSync(host.connection(), False);
    for (auto start = std::chrono::steady_clock::now();
         glutQarnDisplayCount(window) < 2 && std::chrono::steady_clock::now() - start < patience;) {
        glutMainLoopUpdate();
    }
    EXPECT_EQ(glutQarnDisplayCount(window), 2);

    glutReshapeWindow(300, 200);
    glutMainLoopUpdate();
    EXPECT_EQ(reshapes.back(), (std::array<int, 2>{300, 200}));
    EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 300);
    EXPECT_EQ(readBackPixel(window, 300, 200, 299, 199), red);
    EXPECT_EQ(host.screenPixel(host.children().at(0), 299, 0), red);
    glutDestroyWindow(window);
}

TEST_F(GlxWindowTest, TwoWindowsAtOnceEachDrawInTheirOwnContext)
{
    const int first = createView();
    ASSERT_NE(first, 0);
    const GLXContext firstContext = glXGetCurrentContext();
    X11TestWindow otherHost(0, 610); // below the first, so that neither hides the other
    const int second = glutCreateQarnWindow(otherHost.parent(), 10, 20, 64, 48);
    ASSERT_NE(second, 0);
    EXPECT_NE(glXGetCurrentContext(), firstContext);
    glutDisplayFunc(drawGreen);
    glutMainLoopUpdate();
    EXPECT_EQ(glutQarnDisplayCount(first), 1);
    EXPECT_EQ(glutQarnDisplayCount(second), 1);
    EXPECT_EQ(host.screenPixel(host.children().at(0), 0, 399), blue);
    EXPECT_EQ(otherHost.screenPixel(otherHost.children().at(0), 63, 47), green);

    glutDestroyWindow(first);
    glutPostRedisplay();
    glutMainLoopUpdate();
    EXPECT_EQ(glutQarnDisplayCount(second), 2) << "the second window lost its connection with the first";
    EXPECT_EQ(readBackPixel(second, 64, 48, 0, 0), green);
    glutDestroyWindow(second);
}

TEST_F(GlxWindowTest, RepeatedOpensAndClosesLeaveNoConnectionOrDescriptorBehind)
{
    const int descriptorsBefore = openDescriptors();
    for (int cycle = 0; cycle < 30; ++cycle) {
        const int window = createView();
        ASSERT_NE(window, 0) << "cycle " << cycle;
        glutMainLoopUpdate();
        glutDestroyWindow(window);
    }
    EXPECT_EQ(openDescriptors(), descriptorsBefore);
    EXPECT_TRUE(host.children().empty());
}

TEST_F(GlxWindowTest, BadParentsAreRefusedAndLeaveTheCallersContextCurrent)
{
    const int window = createView();
    ASSERT_NE(window, 0);
    const GLXContext ours = glXGetCurrentContext();
    EXPECT_EQ(glutCreateQarnWindow(nullptr, 0, 0, 64, 64), 0);
    EXPECT_EQ(glutCreateQarnWindow(reinterpret_cast<void*>(uintptr_t{0x7ffffff0}), 0, 0, 64, 64), 0);
    X11TestWindow gone;
    void* goneParent = gone.parent();
    gone.destroy();
    EXPECT_EQ(glutCreateQarnWindow(goneParent, 0, 0, 64, 64), 0);
    EXPECT_EQ(glutCreateQarnWindow(host.parent(), 0, 0, 100000, 64), 0);
    EXPECT_EQ(glXGetCurrentContext(), ours);
    EXPECT_EQ(host.children().size(), 1u) << "a failed creation left a window behind";
    glutDestroyWindow(window);
}

TEST_F(GlxWindowTest, TheHostMayDestroyItsWindowBeforeOursWithoutAnErrorReachingIt)
{
    errorsSeenByTheHost = 0;
    const XErrorHandler hostsBefore = XSetErrorHandler(hostErrorHandler);
    const int window = createView();
    ASSERT_NE(window, 0);
    glutMainLoopUpdate();

    host.destroy();
    glutPostRedisplay();
    glutMainLoopUpdate();
    glutPostRedisplay();
    glutMainLoopUpdate();
    unsigned char pixels[600 * 400 * 4];
    EXPECT_EQ(glutQarnReadPixels(window, pixels, sizeof pixels), 0) << "a window that is gone was read";
    glutDestroyWindow(window);
    EXPECT_EQ(errorsSeenByTheHost, 0);

    // The host's handler is back in place, and still gets the host's errors.
    X11TestWindow next;
    XMapWindow(next.connection(), 0x7ffffff0);
    XSync(next.connection(), False);
    EXPECT_EQ(errorsSeenByTheHost, 1);
    EXPECT_EQ(XSetErrorHandler(hostsBefore), hostErrorHandler);

    // ... and a new view opens as before.
    const int again = glutCreateQarnWindow(next.parent(), 100, 100, 600, 400);
    EXPECT_NE(again, 0);
    glutDestroyWindow(again);
}

// A host drawing its own interface with GLX on the same thread.
class GlxHostContextTest : public GlxWindowTest {
protected:
    void SetUp() override
    {
        GlxWindowTest::SetUp();
        Display* display = host.connection();
        const int wanted[] = {GLX_RGBA, GLX_DOUBLEBUFFER, None};
        XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), const_cast<int*>(wanted));
        ASSERT_NE(visual, nullptr);
        hostContext = glXCreateContext(display, visual, nullptr, True);
        XFree(visual);
        ASSERT_NE(hostContext, nullptr);
        ASSERT_TRUE(glXMakeCurrent(display, host.handle(), hostContext));
    }

    void TearDown() override
    {
        glXMakeCurrent(host.connection(), None, nullptr);
        glXDestroyContext(host.connection(), hostContext);
    }

    bool hostContextIsCurrent() const
    {
        return glXGetCurrentContext() == hostContext && glXGetCurrentDrawable() == host.handle() &&
            glXGetCurrentDisplay() == host.connection();
    }

    GLXContext hostContext = nullptr;
};

TEST_F(GlxHostContextTest, EveryCallAfterCreationPutsTheHostsContextBack)
{
    static GLXContext seenByDisplay;
    const int window = createView();
    ASSERT_NE(window, 0);
    const GLXContext ours = glXGetCurrentContext();
    EXPECT_NE(ours, hostContext);
    glutQarnRestoreHostContext();
    EXPECT_TRUE(hostContextIsCurrent());

    glutDisplayFunc([] {
        seenByDisplay = glXGetCurrentContext();
        drawBlueWithRedCorner();
    });
    glutMainLoopUpdate();
    EXPECT_EQ(seenByDisplay, ours);
    EXPECT_TRUE(hostContextIsCurrent());
    EXPECT_EQ(readBackPixel(window, 600, 400, 599, 399), red);
    EXPECT_TRUE(hostContextIsCurrent());
    glutDestroyWindow(window);
    EXPECT_TRUE(hostContextIsCurrent());
}

// A thread of the program's own owns a window and waits for its events; other
// threads wake it without touching it.
class WindowThread {
public:
    explicit WindowThread(void* parent)
        : thread([this, parent] { run(parent); })
    {
        while (!started.load()) {
            std::this_thread::yield();
        }
    }
    ~WindowThread()
    {
        stopping = true;
        glutQarnWake(target.load());
        thread.join();
    }

    bool created() const { return target.load() != nullptr; }
    void* wakeTarget() const { return target.load(); }
    int frames() const { return framesDrawn.load(); }
    int wakes() const { return wakesSeen.load(); }
    void armTimer() { timerWanted = true, glutQarnWake(target.load()); }

    bool waitFor(const std::atomic<int>& counter, int atLeast) const
    {
        const auto start = std::chrono::steady_clock::now();
        while (counter.load() < atLeast && std::chrono::steady_clock::now() - start < patience) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return counter.load() >= atLeast;
    }
    bool waitForFrames(int atLeast) const { return waitFor(framesDrawn, atLeast); }
    bool waitForWakes(int atLeast) const { return waitFor(wakesSeen, atLeast); }

private:
    static WindowThread* self;

    void run(void* parent)
    {
        self = this;
        glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
        const int window = glutCreateQarnWindow(parent, 0, 0, 32, 32);
        if (window != 0) {
            glutDisplayFunc([] {
                drawGreen();
                ++self->framesDrawn;
            });
            glutQarnWakeFunc([] {
                ++self->wakesSeen;
                if (self->timerWanted.exchange(false)) {
                    glutQarnWakeAfter(5);
                } else {
                    glutPostRedisplay();
                }
            });
            target = glutQarnWakeTarget(window);
        }
        started = true;
        while (window != 0 && !stopping) {
            glutQarnWaitEvents();
            glutMainLoopUpdate();
        }
        glutDestroyWindow(window);
    }

    std::atomic<bool> started{false};
    std::atomic<bool> stopping{false};
    std::atomic<bool> timerWanted{false};
    std::atomic<void*> target{nullptr};
    std::atomic<int> framesDrawn{0};
    std::atomic<int> wakesSeen{0};
    std::thread thread;
};

WindowThread* WindowThread::self = nullptr;

TEST_F(GlxWindowTest, AWakeFromAnotherThreadDrawsAFrameOnTheWaitingThread)
{
    WindowThread owner(host.parent());
    ASSERT_TRUE(owner.created());
    ASSERT_TRUE(owner.waitForFrames(1)) << "the first frame never came";
    const int before = owner.frames();

    std::thread waker([&owner] { glutQarnWake(owner.wakeTarget()); });
    waker.join();
    EXPECT_TRUE(owner.waitForFrames(before + 1));
}

TEST_F(GlxWindowTest, AWakeAfterATimerComesWithNothingElseHappening)
{
    WindowThread owner(host.parent());
    ASSERT_TRUE(owner.created());
    ASSERT_TRUE(owner.waitForFrames(1));
    owner.armTimer(); // one wake now, which arms the timer, and one when it fires
    EXPECT_TRUE(owner.waitForWakes(2));
}

TEST_F(GlxWindowTest, ATargetOutlivesItsWindowHarmlessly)
{
    void* stale = nullptr;
    {
        WindowThread owner(host.parent());
        ASSERT_TRUE(owner.created());
        stale = owner.wakeTarget();
    }
    const int descriptorsBefore = openDescriptors();
    glutQarnWake(stale);
    glutQarnWake(nullptr);
    EXPECT_EQ(openDescriptors(), descriptorsBefore);
    // Waiting with no window at all returns at once.
    glutQarnWaitEvents();
}

} // namespace
