// The CLAP adapter linked in, without a library between: a block of no
// events leaves the view alone, as hosts call process at every block; a
// block with a note asks for a redraw. Seen through the process-wide redraw
// request, which a library loaded by a host would keep to itself.
#include "formats/clap/ClapViewer.h"
#include "state/RedrawRequest.h"
#include "tests/support/PluginStateReset.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const void* noExtension(const clap_host_t*, const char*)
{
    return nullptr;
}
void noRequest(const clap_host_t*)
{
}

void* noParent(const clap_window_t&)
{
    return nullptr;
}

struct EventList {
    std::vector<clap_event_midi_t> events;
    clap_input_events_t list{this, size, get};

    static uint32_t size(const clap_input_events_t* list)
    {
        return static_cast<uint32_t>(static_cast<const EventList*>(list->ctx)->events.size());
    }
    static const clap_event_header_t* get(const clap_input_events_t* list, uint32_t index)
    {
        return &static_cast<const EventList*>(list->ctx)->events.at(index).header;
    }
};

bool drop(const clap_output_events_t*, const clap_event_header_t*)
{
    return true;
}

TEST(ClapProcessTest, OnlyABlockWithEventsAsksTheViewToRedraw)
{
    resetPluginState();
    const clap_host_t host = {
        CLAP_VERSION, nullptr, "test", "Qarn", "", "1", noExtension, noRequest, noRequest, noRequest};
    const ClapPlatform platform = {nullptr, CLAP_WINDOW_API_X11, noParent};
    const clap_plugin_t* plugin = createClapViewer(&host, platform);
    ASSERT_NE(plugin, nullptr);
    ASSERT_TRUE(plugin->init(plugin));
    ASSERT_TRUE(plugin->activate(plugin, 44100.0, 1, 512));
    ASSERT_TRUE(plugin->start_processing(plugin));

    EventList input;
    const clap_output_events_t output = {nullptr, drop};
    clap_process_t block{};
    block.steady_time = -1;
    block.frames_count = 512;
    block.in_events = &input.list;
    block.out_events = &output;

    acceptRedisplayRequests(true);
    takeRedisplayRequest();
    EXPECT_EQ(plugin->process(plugin, &block), CLAP_PROCESS_CONTINUE);
    EXPECT_FALSE(takeRedisplayRequest()) << "nothing came, nothing to draw";

    clap_event_midi_t note{};
    note.header = {sizeof note, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, 0};
    note.data[0] = 0x90;
    note.data[1] = 60;
    note.data[2] = 100;
    input.events.push_back(note);
    EXPECT_EQ(plugin->process(plugin, &block), CLAP_PROCESS_CONTINUE);
    EXPECT_TRUE(takeRedisplayRequest()) << "a note to show";

    acceptRedisplayRequests(false);
    plugin->stop_processing(plugin);
    plugin->deactivate(plugin);
    plugin->destroy(plugin);
    resetPluginState();
}

} // namespace
