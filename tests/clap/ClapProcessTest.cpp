// The CLAP adapter linked in, without a library between: a block of no
// events leaves the view alone, as hosts call process at every block; a
// block with a note asks for a redraw; the host's transport starting,
// stopping or jumping releases the held keys. Seen through the process-wide
// redraw request and note table, which a library loaded by a host would keep
// to itself.
#include "formats/clap/ClapViewer.h"
#include "state/NoteTable.h"
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

clap_event_midi_t midiEvent(unsigned char status, unsigned char key, unsigned char velocity)
{
    clap_event_midi_t event{};
    event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, 0};
    event.data[0] = status;
    event.data[1] = key;
    event.data[2] = velocity;
    return event;
}

// An instance activated at 44.1 kHz and processing blocks of 512 frames.
class ClapProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetPluginState();
        plugin = createClapViewer(&host, platform);
        ASSERT_NE(plugin, nullptr);
        ASSERT_TRUE(plugin->init(plugin));
        ASSERT_TRUE(plugin->activate(plugin, 44100.0, 1, 512));
        ASSERT_TRUE(plugin->start_processing(plugin));
        block.steady_time = -1;
        block.frames_count = 512;
        block.in_events = &input.list;
        block.out_events = &output;
    }
    void TearDown() override
    {
        if (plugin) {
            plugin->stop_processing(plugin);
            plugin->deactivate(plugin);
            plugin->destroy(plugin);
        }
        resetPluginState();
    }

    clap_process_status process() { return plugin->process(plugin, &block); }

    const clap_host_t host = {
        CLAP_VERSION, nullptr, "test", "Qarn", "", "1", noExtension, noRequest, noRequest, noRequest};
    const ClapPlatform platform = {nullptr, CLAP_WINDOW_API_X11, noParent};
    const clap_plugin_t* plugin = nullptr;
    EventList input;
    const clap_output_events_t output = {nullptr, drop};
    clap_process_t block{};
};

TEST_F(ClapProcessTest, OnlyABlockWithEventsAsksTheViewToRedraw)
{
    acceptRedisplayRequests(true);
    takeRedisplayRequest();
    EXPECT_EQ(process(), CLAP_PROCESS_CONTINUE);
    EXPECT_FALSE(takeRedisplayRequest()) << "nothing came, nothing to draw";

    input.events.push_back(midiEvent(0x90, 60, 100));
    EXPECT_EQ(process(), CLAP_PROCESS_CONTINUE);
    EXPECT_TRUE(takeRedisplayRequest()) << "a note to show";
    acceptRedisplayRequests(false);
}

TEST_F(ClapProcessTest, TheHostsTransportStartingStoppingOrJumpingReleasesTheHeldKeys)
{
    const auto held = [] { return noteTable.entries[60 - lowestTabledNote].velocity.load() != 0; };
    clap_event_transport_t transport{};
    transport.header = {sizeof transport, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_TRANSPORT, 0};
    transport.flags = CLAP_TRANSPORT_HAS_SECONDS_TIMELINE | CLAP_TRANSPORT_IS_PLAYING;
    block.transport = &transport;
    // One block of 512 frames at 44.1 kHz, in the host's seconds.
    const int64_t blockTime = 512 * CLAP_SECTIME_FACTOR / 44100;

    input.events.push_back(midiEvent(0x90, 60, 100));
    process();
    input.events.clear();
    for (int step = 1; step <= 3; ++step) {
        transport.song_pos_seconds += blockTime;
        process();
    }
    EXPECT_TRUE(held()) << "playing on holds the key";

    transport.song_pos_seconds = 0;
    process();
    EXPECT_FALSE(held()) << "a jump back";

    input.events.push_back(midiEvent(0x90, 60, 100));
    transport.song_pos_seconds += blockTime;
    process();
    input.events.clear();
    transport.flags &= ~CLAP_TRANSPORT_IS_PLAYING;
    transport.song_pos_seconds += blockTime;
    process();
    EXPECT_FALSE(held()) << "a stop";

    input.events.push_back(midiEvent(0x90, 60, 100));
    process();
    input.events.clear();
    block.transport = nullptr;
    process();
    EXPECT_TRUE(held()) << "a host running free of its timeline says nothing of it";
    block.transport = &transport;
    transport.flags |= CLAP_TRANSPORT_IS_PLAYING;
    process();
    EXPECT_FALSE(held()) << "a start";
}

} // namespace
