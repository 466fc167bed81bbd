// The view on X11, where no host message loop serves its window: a thread of
// its own opens the window in the host's, draws every frame there when a
// request wakes it, and closes it again; the host's thread keeps its own GL
// context and makes no idle call here at all.
//
// GoogleTest first: Xlib's macros (None, Bool) would rename its code.
#include <gtest/gtest.h>

#include <GL/glx.h>

#include "glut/glut.h"
#include "formats/vst2/ViewerPlugin.h"
#include "formats/vst2/VstEventBlock.h"
#include "state/RedrawRequest.h"
#include "tests/support/FakeHost.h"
#include "tests/support/MidiBlock.h"
#include "tests/support/PluginStateReset.h"
#include "tests/support/X11TestWindow.h"
#include "view3d/GlView.h"
#include "view3d/ModelSwap.h"
#include "view3d/ViewState.h"

#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

using Colour = std::array<int, 3>;

// How long the test waits for the view's thread: a bound on waiting, not a
// measure of speed.
constexpr auto patience = std::chrono::seconds(10);
constexpr int piano88 = 3;

bool isRedDominant(const Colour& c)
{
    return c[0] > c[1] + 30 && c[0] > c[2] + 30;
}

// The processing thread: one block, handed over the way a host does.
void playOnAnotherThread(MidiBlock block)
{
    std::thread processing([&block] { receiveMidiBlock(block.events(), nullptr); });
    processing.join();
}

// A processing thread that hands a note to the plug-in every millisecond
// until stopped, as a host plays a song while its user works the editor.
class KeepPlaying {
public:
    KeepPlaying()
        : thread([this] {
            MidiBlock block;
            block.noteOn(0, 60, 100).noteOff(0, 60);
            while (playing) {
                receiveMidiBlock(block.events(), nullptr);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        })
    {
    }
    ~KeepPlaying() { stop(); }
    void stop()
    {
        playing = false;
        if (thread.joinable()) {
            thread.join();
        }
    }

private:
    std::atomic<bool> playing{true};
    std::thread thread;
};

template <class Condition> bool waitUntil(Condition condition)
{
    const auto start = std::chrono::steady_clock::now();
    while (!condition()) {
        if (std::chrono::steady_clock::now() - start > patience) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

int hostErrors = 0;
int countHostError(Display*, XErrorEvent*)
{
    ++hostErrors;
    return 0;
}

class ViewThreadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.valid()) << "no X display";
        ASSERT_EQ(glutQarnEventsNeedWaiting(), 1);
        plugin = std::make_unique<ViewerPlugin>(FakeHost::callback);
        plugin->setProgram(piano88);
        viewState.showKeyColour = true;
    }

    void TearDown() override
    {
        closeView();
        plugin.reset();
        resetPluginState();
    }

    // The view as the screen shows it, once the thread has drawn there.
    Window view() const
    {
        const std::vector<Window> children = host.children();
        return children.size() == 1 ? children[0] : 0;
    }
    int redPixels() const
    {
        int count = 0;
        for (const Colour& c : host.screenImage(view(), viewPlacement.width, viewPlacement.height)) {
            count += isRedDominant(c) ? 1 : 0;
        }
        return count;
    }
    bool backgroundShown() const { return host.screenPixel(view(), 0, 0) == (Colour{0, 0, 128}); }

    FakeHost fakeHost;
    X11TestWindow host;
    std::unique_ptr<ViewerPlugin> plugin;
};

TEST_F(ViewThreadTest, ANoteFromTheProcessingThreadIsDrawnWithoutAnyIdleAndTheHostsContextStays)
{
    // The host draws its own interface with GLX on this thread.
    Display* display = host.connection();
    const int wanted[] = {GLX_RGBA, GLX_DOUBLEBUFFER, None};
    XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), const_cast<int*>(wanted));
    ASSERT_NE(visual, nullptr);
    const GLXContext hostContext = glXCreateContext(display, visual, nullptr, True);
    XFree(visual);
    ASSERT_TRUE(glXMakeCurrent(display, host.handle(), hostContext));

    openView(host.parent());
    ASSERT_TRUE(glViewReady);
    EXPECT_EQ(glXGetCurrentContext(), hostContext);
    ASSERT_NE(view(), 0u);
    Window root = 0;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(display, view(), &root, &x, &y, &width, &height, &border, &depth);
    EXPECT_EQ((std::array<int, 4>{x, y, int(width), int(height)}),
        (std::array<int, 4>{viewPlacement.left, viewPlacement.top, viewPlacement.width, viewPlacement.height}));

    ASSERT_TRUE(waitUntil([this] { return backgroundShown(); })) << "the first frame never reached the screen";
    EXPECT_EQ(redPixels(), 0);
    playOnAnotherThread(MidiBlock().noteOn(0, 60, 100));
    EXPECT_TRUE(waitUntil([this] { return redPixels() > 0; })) << "the held key never showed";
    playOnAnotherThread(MidiBlock().noteOff(0, 60));
    EXPECT_TRUE(waitUntil([this] { return redPixels() == 0; })) << "the released key never went back";

    EXPECT_EQ(glXGetCurrentContext(), hostContext);
    closeView();
    EXPECT_FALSE(glViewReady);
    EXPECT_EQ(view(), 0u);
    EXPECT_EQ(glXGetCurrentContext(), hostContext);
    glXMakeCurrent(display, None, nullptr);
    glXDestroyContext(display, hostContext);
}

TEST_F(ViewThreadTest, OpensAndClosesAnyNumberOfTimesLeavingNothingBehind)
{
    openView(host.parent());
    closeView();
    const int descriptorsBefore = openDescriptors();
    for (int cycle = 0; cycle < 20; ++cycle) {
        openView(host.parent());
        ASSERT_TRUE(glViewReady) << "cycle " << cycle;
        if (cycle % 2 == 0) {
            openView(host.parent()); // a second open without a close
        }
        EXPECT_EQ(host.children().size(), 1u);
        requestRedisplay();
        closeView();
        closeView();
    }
    EXPECT_TRUE(host.children().empty());
    EXPECT_EQ(openDescriptors(), descriptorsBefore);

    openView(nullptr);
    EXPECT_FALSE(glViewReady);
    requestRedisplay(); // nobody listens: dropped
    closeView();
}

TEST_F(ViewThreadTest, TheHostMayDestroyItsWindowWhileTheViewDraws)
{
    hostErrors = 0;
    const XErrorHandler before = XSetErrorHandler(countHostError);
    openView(host.parent());
    ASSERT_TRUE(glViewReady);
    KeepPlaying processing;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    host.destroy();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    processing.stop();
    closeView();
    EXPECT_EQ(hostErrors, 0) << "an error of the view's connection reached the host";
    XSetErrorHandler(before);
}

TEST_F(ViewThreadTest, ThePanelMayTurnAndResetTheViewWhileItsThreadDraws)
{
    openView(host.parent());
    ASSERT_TRUE(glViewReady);
    ASSERT_TRUE(waitUntil([this] { return backgroundShown(); }));
    // What the panel's buttons do on the user-interface thread, each asking
    // for a redraw, while the view's thread draws the frames they ask for.
    for (int press = 0; press < 200; ++press) {
        viewState.angleY -= 10;
        viewState.zoom += 1;
        viewState.showKeyMotion = !viewState.showKeyMotion;
        if (press % 50 == 49) {
            resetView();
        }
        requestRedisplay();
        std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    EXPECT_EQ(viewState.zoom, 0);
    EXPECT_EQ(viewState.angleY, 0);
    closeView();
}

TEST_F(ViewThreadTest, TheLastInstanceMayCloseWhileTheViewDraws)
{
    openView(host.parent());
    ASSERT_TRUE(glViewReady);
    KeepPlaying processing;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    // A host's close of the last instance with its editor still open frees
    // the model while the view's thread may be drawing it.
    plugin.reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    processing.stop();
    closeView();
    const auto hold = lockModel();
    EXPECT_EQ(currentModel, nullptr);
}

} // namespace
