// The editor as a CLAP host embeds it: created for the platform's kind of
// window, parented in the host's window at its one size, idled by the host's
// timer, destroyed; and a note lights a key on the screen.
#include "tests/clap/ClapPlugin.h"
#include "tests/support/PluginTestWindow.h"

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

namespace {

// The view's place in the editor (view3d/GlView.h).
constexpr int viewLeft = 100;
constexpr int viewTop = 100;
constexpr int viewWidth = 600;
constexpr int viewHeight = 400;

// The test window as a CLAP host hands it over.
clap_window_t clapWindow(const PluginTestWindow& window)
{
    clap_window_t parent{};
#ifdef _WIN32
    parent.api = CLAP_WINDOW_API_WIN32;
    parent.win32 = window.handle();
#else
    parent.api = CLAP_WINDOW_API_X11;
    parent.x11 = reinterpret_cast<uintptr_t>(window.handle());
#endif
    return parent;
}

// Pumps the window and fires the host's timers until the view's picture is
// other than `before` or two hundred rounds have passed; answers the last
// picture.
std::vector<uint32_t> pictureOtherThan(const std::vector<uint32_t>& before, PluginTestWindow& window,
    const ClapTestHost& host, const clap_plugin_t* plugin)
{
    std::vector<uint32_t> now = before;
    for (int round = 0; round < 200 && now == before; ++round) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        window.pump();
        host.fireTimers(plugin);
        now = window.picture(viewLeft, viewTop, viewWidth, viewHeight);
    }
    return now;
}

} // namespace

class ClapGuiTest : public ClapEntryTest { };

TEST_F(ClapGuiTest, TheEditorEmbedsAtItsOneSizeAndIdlesOnTheHostsTimer)
{
    ClapTestHost host;
    ClapInstance instance(factory, host);
    ASSERT_TRUE(instance.plugin->init(instance.plugin));
    const clap_plugin_t* plugin = instance.plugin;
    const clap_plugin_gui_t* gui = instance.gui();
    PluginTestWindow window;
    const clap_window_t parent = clapWindow(window);

    const char* api = nullptr;
    bool floating = true;
    ASSERT_TRUE(gui->get_preferred_api(plugin, &api, &floating));
    EXPECT_STREQ(api, parent.api);
    EXPECT_FALSE(floating);
    EXPECT_TRUE(gui->is_api_supported(plugin, parent.api, false));
    EXPECT_FALSE(gui->is_api_supported(plugin, parent.api, true)) << "embedded only";
    EXPECT_FALSE(gui->is_api_supported(plugin, CLAP_WINDOW_API_COCOA, false));
    EXPECT_FALSE(gui->create(plugin, parent.api, true));
    EXPECT_FALSE(gui->set_parent(plugin, &parent)) << "before create";

    ASSERT_TRUE(gui->create(plugin, parent.api, false));
    EXPECT_FALSE(gui->create(plugin, parent.api, false)) << "created already";
    uint32_t width = 0;
    uint32_t height = 0;
    ASSERT_TRUE(gui->get_size(plugin, &width, &height));
    EXPECT_EQ(width, 700u);
    EXPECT_EQ(height, 500u);
    EXPECT_FALSE(gui->can_resize(plugin));
    EXPECT_FALSE(gui->set_size(plugin, width + 10, height));
    EXPECT_TRUE(gui->set_size(plugin, width, height));
    clap_window_t otherKind = parent;
    otherKind.api = CLAP_WINDOW_API_WAYLAND;
    EXPECT_FALSE(gui->set_parent(plugin, &otherKind));
    EXPECT_FALSE(gui->set_parent(plugin, nullptr));
    EXPECT_EQ(host.timers.size(), 0u);

    ASSERT_TRUE(gui->set_parent(plugin, &parent));
    EXPECT_TRUE(gui->show(plugin));
    ASSERT_EQ(host.timers.size(), 1u) << "the editor's idle";
    EXPECT_GE(host.timers[0].periodMs, 16u);
    EXPECT_LE(host.timers[0].periodMs, 30u);
    for (int round = 0; round < 5; ++round) {
        window.pump();
        host.fireTimers(plugin);
    }
    EXPECT_GE(window.children(), 1);
    ASSERT_TRUE(gui->set_parent(plugin, &parent)) << "parented again: one editor, one timer";
    EXPECT_EQ(host.timers.size(), 1u);

    gui->destroy(plugin);
    window.pump();
    EXPECT_EQ(host.timers.size(), 0u);
    EXPECT_EQ(window.children(), 0);
    EXPECT_FALSE(gui->show(plugin));
    ASSERT_TRUE(gui->create(plugin, parent.api, false)) << "created anew";
    ASSERT_TRUE(gui->set_parent(plugin, &parent));
    // Destroyed with the editor up: the instance closes it and stops its timer.
}

// The editor chose nothing while the host was not processing, until the
// instrument moved elsewhere: then the timer asks the host for a flush.
TEST_F(ClapGuiTest, AnInstrumentChosenWhileNotProcessingAsksTheHostForAFlush)
{
    ClapTestHost host;
    ClapInstance instance(factory, host);
    ClapInstance other(factory, host);
    ASSERT_TRUE(instance.plugin->init(instance.plugin));
    ASSERT_TRUE(other.plugin->init(other.plugin));
    PluginTestWindow window;
    const clap_window_t parent = clapWindow(window);
    ASSERT_TRUE(instance.gui()->create(instance.plugin, parent.api, false));
    ASSERT_TRUE(instance.gui()->set_parent(instance.plugin, &parent));
    host.fireTimers(instance.plugin);
    EXPECT_EQ(host.flushRequests, 0);
    other.selectInstrument(instance.instrument() == 1.0 ? 2.0 : 1.0);
    host.fireTimers(instance.plugin);
    EXPECT_EQ(host.flushRequests, 1);
    OutputList out;
    instance.params()->flush(instance.plugin, nullptr, out.list());
    ASSERT_EQ(out.values.size(), 1u);
    host.fireTimers(instance.plugin);
    EXPECT_EQ(host.flushRequests, 1);
    other.selectInstrument(3.0);
}

TEST_F(ClapGuiTest, ANoteLightsItsKeyAndItsReleaseDarkensIt)
{
    ClapTestHost host;
    ClapInstance instance(factory, host);
    ASSERT_TRUE(instance.start());
    // The 88 keys, with keys that are down drawn red: a saved view with its
    // key-colour toggle (byte 5, bit 1) on.
    instance.selectInstrument(3.0);
    OutputStream saved;
    ASSERT_TRUE(instance.state()->save(instance.plugin, saved.stream()));
    saved.bytes[5] |= 2;
    InputStream colouredKeys(saved.bytes);
    ASSERT_TRUE(instance.state()->load(instance.plugin, colouredKeys.stream()));
    PluginTestWindow window;
    const clap_window_t parent = clapWindow(window);
    ASSERT_TRUE(instance.gui()->create(instance.plugin, parent.api, false));
    ASSERT_TRUE(instance.gui()->set_parent(instance.plugin, &parent));
    std::vector<uint32_t> settled = window.picture(viewLeft, viewTop, viewWidth, viewHeight);
    if (settled.empty())
        GTEST_SKIP() << "this platform's tests cannot read the screen";
    // Settled: the first frames may still be coming.
    for (int round = 0; round < 10; ++round) {
        const std::vector<uint32_t> next = pictureOtherThan(settled, window, host, instance.plugin);
        if (next == settled)
            break;
        settled = next;
    }

    EventList press;
    press.noteOn(60, 0, 1.0);
    OutputList out;
    instance.process(press, out);
    const std::vector<uint32_t> lit = pictureOtherThan(settled, window, host, instance.plugin);
    keepPicture(lit, viewWidth, viewHeight, "clap-key60.ppm");
    size_t reddened = 0;
    for (size_t i = 0; i < lit.size(); ++i)
        reddened += lit[i] != settled[i] && (lit[i] >> 16 & 0xFF) > (lit[i] >> 8 & 0xFF) + 32;
    EXPECT_GT(reddened, 100u) << "key 60 drawn red";

    EventList release;
    release.noteOff(60);
    instance.process(release, out);
    EXPECT_EQ(pictureOtherThan(lit, window, host, instance.plugin), settled) << "and dark again";
}
