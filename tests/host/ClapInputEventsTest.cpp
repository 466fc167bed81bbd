// The host's blocks as a CLAP plug-in reads them: through the list's own
// size and get, in both note dialects, with a parameter change first.
#include "host/engine/clap/ClapInputEvents.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Block {
    std::vector<VstMidiEvent> midi;
    std::vector<unsigned char> storage;

    void add(int32_t frame, uint8_t status, uint8_t data1, uint8_t data2)
    {
        VstMidiEvent event{};
        event.type = kVstMidiType;
        event.byteSize = sizeof event;
        event.deltaFrames = frame;
        event.midiData[0] = static_cast<char>(status);
        event.midiData[1] = static_cast<char>(data1);
        event.midiData[2] = static_cast<char>(data2);
        midi.push_back(event);
    }

    // Laid out as the host lays out a block: more pointers than the record declares.
    VstEvents& events()
    {
        storage.assign(sizeof(VstEvents) + midi.size() * sizeof(VstEvent*), 0);
        auto* block = reinterpret_cast<VstEvents*>(storage.data());
        block->numEvents = static_cast<int32_t>(midi.size());
        VstEvent** list = block->events;
        for (size_t i = 0; i < midi.size(); ++i)
            list[i] = reinterpret_cast<VstEvent*>(&midi[i]);
        return *block;
    }
};

std::vector<const clap_event_header_t*> read(const ClapInputEvents& input)
{
    const clap_input_events_t* list = input.list();
    std::vector<const clap_event_header_t*> events;
    for (uint32_t i = 0; i < list->size(list); ++i)
        events.push_back(list->get(list, i));
    EXPECT_EQ(list->get(list, list->size(list)), nullptr) << "past the end";
    return events;
}

TEST(ClapInputEventsTest, MidiDialectCarriesEveryMessageAtItsFrame)
{
    Block block;
    block.add(0, 0x90, 60, 100);
    block.add(17, 0xB0, 123, 0);
    block.add(511, 0x8F, 60, 0);
    ClapInputEvents input;
    input.addMidi(block.events(), ClapInputEvents::Dialect::Midi);

    const auto events = read(input);
    ASSERT_EQ(events.size(), 3u);
    const uint32_t frames[] = {0, 17, 511};
    const uint8_t statuses[] = {0x90, 0xB0, 0x8F};
    for (size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i]->type, CLAP_EVENT_MIDI);
        EXPECT_EQ(events[i]->space_id, CLAP_CORE_EVENT_SPACE_ID);
        EXPECT_EQ(events[i]->size, sizeof(clap_event_midi_t));
        EXPECT_EQ(events[i]->time, frames[i]);
        const auto* midi = reinterpret_cast<const clap_event_midi_t*>(events[i]);
        EXPECT_EQ(midi->data[0], statuses[i]);
        EXPECT_EQ(midi->port_index, 0);
    }
}

TEST(ClapInputEventsTest, ClapDialectKeepsNotesOnlyWithChannelKeyAndVelocity)
{
    Block block;
    block.add(3, 0x9F, 64, 127); // channel 16: the player's
    block.add(4, 0xB0, 64, 127); // a controller: no note
    block.add(5, 0x90, 64, 0); // a note-on of velocity 0 is a note-off
    block.add(6, 0x81, 21, 64);
    ClapInputEvents input;
    input.addMidi(block.events(), ClapInputEvents::Dialect::ClapNotes);

    const auto events = read(input);
    ASSERT_EQ(events.size(), 3u);
    const auto* on = reinterpret_cast<const clap_event_note_t*>(events[0]);
    EXPECT_EQ(on->header.type, CLAP_EVENT_NOTE_ON);
    EXPECT_EQ(on->header.size, sizeof(clap_event_note_t));
    EXPECT_EQ(on->header.time, 3u);
    EXPECT_EQ(on->channel, 15);
    EXPECT_EQ(on->key, 64);
    EXPECT_DOUBLE_EQ(on->velocity, 1.0);
    EXPECT_EQ(on->note_id, -1);
    const auto* silent = reinterpret_cast<const clap_event_note_t*>(events[1]);
    EXPECT_EQ(silent->header.type, CLAP_EVENT_NOTE_OFF);
    EXPECT_EQ(silent->header.time, 5u);
    const auto* off = reinterpret_cast<const clap_event_note_t*>(events[2]);
    EXPECT_EQ(off->header.type, CLAP_EVENT_NOTE_OFF);
    EXPECT_EQ(off->channel, 1);
    EXPECT_EQ(off->key, 21);
}

TEST(ClapInputEventsTest, ParameterChangeComesFirstAndClearEmptiesTheList)
{
    Block block;
    block.add(0, 0x90, 60, 90);
    ClapInputEvents input;
    int cookie = 0;
    input.addParameterValue(7, &cookie, 4.0);
    input.addMidi(block.events(), ClapInputEvents::Dialect::Midi);

    auto events = read(input);
    ASSERT_EQ(events.size(), 2u);
    const auto* change = reinterpret_cast<const clap_event_param_value_t*>(events[0]);
    EXPECT_EQ(change->header.type, CLAP_EVENT_PARAM_VALUE);
    EXPECT_EQ(change->header.time, 0u);
    EXPECT_EQ(change->param_id, 7u);
    EXPECT_EQ(change->cookie, &cookie);
    EXPECT_DOUBLE_EQ(change->value, 4.0);
    EXPECT_EQ(change->key, -1) << "for every key, not one";
    EXPECT_EQ(events[1]->type, CLAP_EVENT_MIDI);

    input.clear();
    EXPECT_TRUE(read(input).empty());
}

TEST(ClapInputEventsTest, EventsStayReadableWhenTheListsGrow)
{
    // More events than reserved: entries taken before the growth still read right.
    Block block;
    for (int i = 0; i < 300; ++i)
        block.add(i, 0x90, static_cast<uint8_t>(i % 128), 1);
    ClapInputEvents input;
    input.reserve(2);
    input.addMidi(block.events(), ClapInputEvents::Dialect::ClapNotes);
    const auto events = read(input);
    ASSERT_EQ(events.size(), 300u);
    for (int i = 0; i < 300; ++i) {
        EXPECT_EQ(events[i]->time, static_cast<uint32_t>(i));
        EXPECT_EQ(reinterpret_cast<const clap_event_note_t*>(events[i])->key, i % 128);
    }
}

} // namespace
