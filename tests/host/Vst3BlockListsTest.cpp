// The host's blocks as a VST 3 processor reads them: notes through the event
// list's own count and getEvent, the instrument through the parameter
// changes, within the capacity reserved before processing.
#include "host/engine/vst3/Vst3BlockLists.h"
#include "tests/support/MidiBlock.h"

#include <gtest/gtest.h>

namespace {

TEST(Vst3BlockLists, NotesBecomeNoteEventsAndOtherMessagesAreLeftOut)
{
    Vst3EventList list;
    list.reserve(8);
    MidiBlock block;
    block.noteOn(2, 60, 127).add(0xB0, 64, 127).noteOff(2, 60).noteOn(0, 62, 0).add(0xE0, 0, 64);
    list.addMidi(*block.events());

    vst3::IEventList& plugin = list;
    ASSERT_EQ(plugin.getEventCount(), 3);
    vst3::Event event{};
    ASSERT_EQ(plugin.getEvent(0, event), vst3::kResultOk);
    EXPECT_EQ(event.type, vst3::Event::kNoteOnEvent);
    EXPECT_EQ(event.busIndex, 0);
    EXPECT_EQ(event.noteOn.channel, 2);
    EXPECT_EQ(event.noteOn.pitch, 60);
    EXPECT_FLOAT_EQ(event.noteOn.velocity, 1.0f);
    EXPECT_EQ(event.noteOn.noteId, -1);
    ASSERT_EQ(plugin.getEvent(1, event), vst3::kResultOk);
    EXPECT_EQ(event.type, vst3::Event::kNoteOffEvent);
    EXPECT_EQ(event.noteOff.pitch, 60);
    // A note-on of velocity 0 ends the note, as MIDI has it.
    ASSERT_EQ(plugin.getEvent(2, event), vst3::kResultOk);
    EXPECT_EQ(event.type, vst3::Event::kNoteOffEvent);
    EXPECT_EQ(event.noteOff.pitch, 62);
    EXPECT_NE(plugin.getEvent(3, event), vst3::kResultOk);
    EXPECT_NE(plugin.getEvent(-1, event), vst3::kResultOk);

    list.clear();
    EXPECT_EQ(plugin.getEventCount(), 0);
}

TEST(Vst3BlockLists, ABlockBeyondTheReservedCapacityIsCutRatherThanGrown)
{
    Vst3EventList list;
    list.reserve(2);
    MidiBlock block;
    for (int note = 60; note < 65; ++note)
        block.noteOn(0, note, 100);
    list.addMidi(*block.events());
    vst3::IEventList& plugin = list;
    ASSERT_EQ(plugin.getEventCount(), 2);
    vst3::Event event{};
    ASSERT_EQ(plugin.getEvent(1, event), vst3::kResultOk);
    EXPECT_EQ(event.noteOn.pitch, 61);
}

TEST(Vst3BlockLists, TheInstrumentIsOneChangeAtTheBlocksStart)
{
    Vst3ParameterChanges changes;
    vst3::IParameterChanges& plugin = changes;
    EXPECT_EQ(plugin.getParameterCount(), 0);
    EXPECT_EQ(plugin.getParameterData(0), nullptr);

    changes.change(7, 0.25);
    changes.change(7, 0.75);
    ASSERT_EQ(plugin.getParameterCount(), 1);
    vst3::IParamValueQueue* queue = plugin.getParameterData(0);
    ASSERT_NE(queue, nullptr);
    EXPECT_EQ(queue->getParameterId(), 7u);
    ASSERT_EQ(queue->getPointCount(), 1);
    int32_t offset = -1;
    vst3::ParamValue value = 0.0;
    ASSERT_EQ(queue->getPoint(0, offset, value), vst3::kResultOk);
    EXPECT_EQ(offset, 0);
    EXPECT_DOUBLE_EQ(value, 0.75);
    EXPECT_NE(queue->getPoint(1, offset, value), vst3::kResultOk);
    EXPECT_EQ(plugin.getParameterData(1), nullptr);

    // What the plug-in asks of the host's objects: each answers as itself.
    void* asked = nullptr;
    EXPECT_EQ(plugin.queryInterface(vst3::IParameterChanges_iid.bytes, &asked), vst3::kResultOk);
    EXPECT_EQ(asked, &plugin);
    EXPECT_EQ(queue->queryInterface(vst3::IEventList_iid.bytes, &asked), vst3::kNoInterface);
    EXPECT_EQ(asked, nullptr);

    changes.clear();
    EXPECT_EQ(plugin.getParameterCount(), 0);
}

} // namespace
