// The editor as a VST 3 host shows it: a plug view made by the controller,
// attached to the host's window at its one size, idled through the frame's
// run loop (Linux) or its own timer (Windows), removed; an instrument chosen
// elsewhere told to the host as an edit; and a note lights a key on screen.
#include "tests/support/PluginTestWindow.h"
#include "tests/vst3/Vst3Plugin.h"

#include <chrono>
#include <cstring>
#include <thread>

using namespace vst3;

namespace {

// The view's place in the editor (view3d/GlView.h).
constexpr int viewLeft = 100;
constexpr int viewTop = 100;
constexpr int viewWidth = 600;
constexpr int viewHeight = 400;

bool linuxHost()
{
    return std::strcmp(platformWindowType(), kPlatformTypeX11EmbedWindowID) == 0;
}

// A view attached as hosts attach one: its frame first, then the window.
// Windows hosts offer no run loop.
struct AttachedView {
    explicit AttachedView(IEditController& controller)
        : view(controller.createView(kEditorViewType))
    {
        frame.offersRunLoop = linuxHost();
    }
    ~AttachedView()
    {
        if (view) {
            view->removed();
            view->setFrame(nullptr);
            view->release();
        }
    }
    bool attach()
    {
        return view->setFrame(&frame) == kResultOk &&
            view->attached(window.handle(), platformWindowType()) == kResultOk;
    }
    // One round of a host's loop: the window's messages, then due timers.
    void pump()
    {
        window.pump();
        frame.runLoop.fire();
    }

    IPlugView* view;
    TestFrame frame;
    PluginTestWindow window;
};

// Pumps until the view's picture is other than `before`, or two hundred
// rounds have passed; answers the last picture.
std::vector<uint32_t> pictureOtherThan(const std::vector<uint32_t>& before, AttachedView& attached)
{
    std::vector<uint32_t> now = before;
    for (int round = 0; round < 200 && now == before; ++round) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        attached.pump();
        now = attached.window.picture(viewLeft, viewTop, viewWidth, viewHeight);
    }
    return now;
}

} // namespace

TEST_F(Vst3Test, TheViewAttachesAtItsOneSizeAndIdlesOnTheHostsLoop)
{
    Vst3Instance instance(*factory);
    EXPECT_EQ(instance.controller->createView("other"), nullptr);
    AttachedView attached(*instance.controller);
    IPlugView* view = attached.view;
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(instance.controller->createView(kEditorViewType), nullptr) << "one view at a time";
    EXPECT_EQ(view->isPlatformTypeSupported(platformWindowType()), kResultTrue);
    EXPECT_EQ(view->isPlatformTypeSupported("NSView"), kResultFalse);

    ViewRect size = {};
    ASSERT_EQ(view->getSize(&size), kResultOk);
    EXPECT_EQ(size.right - size.left, 700);
    EXPECT_EQ(size.bottom - size.top, 500);
    EXPECT_EQ(view->canResize(), kResultFalse);
    ViewRect wanted = {10, 20, 900, 900};
    ASSERT_EQ(view->checkSizeConstraint(&wanted), kResultTrue);
    EXPECT_EQ(wanted.right - wanted.left, 700) << "fixed to its own size";
    EXPECT_EQ(wanted.bottom - wanted.top, 500);
    EXPECT_EQ(view->onSize(&wanted), kResultOk);
    ViewRect larger = {0, 0, 800, 500};
    EXPECT_EQ(view->onSize(&larger), kResultFalse);
    EXPECT_EQ(view->attached(attached.window.handle(), "NSView"), kResultFalse);
    EXPECT_EQ(view->removed(), kResultFalse) << "not attached";

    ASSERT_TRUE(attached.attach());
    if (linuxHost()) {
        ASSERT_EQ(attached.frame.runLoop.timers.size(), 1u) << "the editor's idle";
        EXPECT_GE(attached.frame.runLoop.timers[0].periodMs, 16u);
        EXPECT_LE(attached.frame.runLoop.timers[0].periodMs, 30u);
    }
    for (int round = 0; round < 5; ++round)
        attached.pump();
    EXPECT_GE(attached.window.children(), 1);
    ASSERT_EQ(view->attached(attached.window.handle(), platformWindowType()), kResultOk)
        << "attached again: one editor, one timer";
    EXPECT_EQ(attached.frame.runLoop.timers.size(), linuxHost() ? 1u : 0u);

    EXPECT_EQ(view->removed(), kResultOk);
    attached.window.pump();
    EXPECT_TRUE(attached.frame.runLoop.timers.empty());
    EXPECT_EQ(attached.window.children(), 0);
    ASSERT_EQ(view->attached(attached.window.handle(), platformWindowType()), kResultOk) << "attached anew";
    // Released while attached: the view removes itself.
}

// Another instance's choice is the process's (every instance shows one
// instrument): the view's idle tells its host, as an edit it can record.
TEST_F(Vst3Test, AnInstrumentChosenElsewhereIsToldToTheHostAsAnEdit)
{
    Vst3Instance instance(*factory);
    Vst3Instance other(*factory);
    TestHandler handler;
    ASSERT_EQ(instance.controller->setComponentHandler(&handler), kResultOk);
    ASSERT_EQ(instance.controller->setParamNormalized(0, 0.75), kResultOk);
    AttachedView attached(*instance.controller);
    ASSERT_TRUE(attached.attach());
    for (int round = 0; round < 3; ++round)
        attached.pump();
    EXPECT_TRUE(handler.edits.empty());

    ASSERT_EQ(other.controller->setParamNormalized(0, 0.25), kResultOk);
    for (int round = 0; round < 50 && handler.edits.empty(); ++round) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        attached.pump();
    }
    ASSERT_EQ(handler.edits.size(), 1u);
    EXPECT_DOUBLE_EQ(handler.edits[0], 0.25);
    EXPECT_TRUE(handler.allBracketed) << "between beginEdit and endEdit";
    attached.pump();
    EXPECT_EQ(handler.edits.size(), 1u) << "told once";
    ASSERT_EQ(instance.controller->setComponentHandler(nullptr), kResultOk);
}

TEST_F(Vst3Test, ANoteLightsItsKeyAndItsReleaseDarkensIt)
{
    Vst3Instance instance(*factory);
    ASSERT_TRUE(instance.start());
    // The 88 keys, with keys that are down drawn red: a saved view with its
    // key-colour toggle (byte 5, bit 1) on.
    ASSERT_EQ(instance.controller->setParamNormalized(0, 0.75), kResultOk);
    std::vector<uint8_t> saved = instance.state();
    ASSERT_EQ(saved.size(), 24u);
    saved[5] |= 2;
    TestStream colouredKeys(saved);
    ASSERT_EQ(instance.component->setState(&colouredKeys), kResultOk);
    AttachedView attached(*instance.controller);
    ASSERT_TRUE(attached.attach());
    std::vector<uint32_t> settled = attached.window.picture(viewLeft, viewTop, viewWidth, viewHeight);
    if (settled.empty())
        GTEST_SKIP() << "this platform's tests cannot read the screen";
    // Settled: the first frames may still be coming.
    for (int round = 0; round < 10; ++round) {
        const std::vector<uint32_t> next = pictureOtherThan(settled, attached);
        if (next == settled)
            break;
        settled = next;
    }

    TestEvents press;
    press.noteOn(60);
    ASSERT_EQ(instance.process(&press), kResultOk);
    const std::vector<uint32_t> lit = pictureOtherThan(settled, attached);
    keepPicture(lit, viewWidth, viewHeight, "vst3-key60.ppm");
    size_t reddened = 0;
    for (size_t i = 0; i < lit.size(); ++i)
        reddened += lit[i] != settled[i] && (lit[i] >> 16 & 0xFF) > (lit[i] >> 8 & 0xFF) + 32;
    EXPECT_GT(reddened, 100u) << "key 60 drawn red";

    TestEvents release;
    release.noteOff(60);
    ASSERT_EQ(instance.process(&release), kResultOk);
    EXPECT_EQ(pictureOtherThan(lit, attached), settled) << "and dark again";
}
