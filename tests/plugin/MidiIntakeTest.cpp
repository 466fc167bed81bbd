// MIDI intake fed with raw bytes, as a host delivers them.
#include "formats/vst2/VstEventBlock.h"
#include "state/NoteTable.h"
#include "state/PracticeState.h"
#include "state/RedrawRequest.h"
#include "tests/support/MidiBlock.h"
#include "tests/support/PluginStateReset.h"

#include <gtest/gtest.h>

namespace {

int velocityOf(int midiNote)
{
    return noteTable.entries[midiNote - 12].velocity.load();
}

class MidiIntakeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetPluginState();
        acceptRedisplayRequests(false);
        takeRedisplayRequest();
    }
    void receive(MidiBlock& block, const VstTimeInfo* time = nullptr) { receiveMidiBlock(block.events(), time); }
};

TEST_F(MidiIntakeTest, NotesBelowTwelveHaveNoEntry)
{
    MidiBlock block;
    block.noteOn(0, 11, 100);
    receive(block);
    for (const NoteEntry& entry : noteTable.entries)
        EXPECT_EQ(entry.velocity.load(), 0);

    MidiBlock lowest;
    lowest.noteOn(0, 12, 90);
    receive(lowest);
    EXPECT_EQ(noteTable.entries[0].velocity.load(), 90);
}

TEST_F(MidiIntakeTest, NoteOnWithVelocityZeroIsANoteOff)
{
    MidiBlock block;
    block.noteOn(0, 60, 100).noteOn(0, 60, 0);
    receive(block);
    EXPECT_EQ(velocityOf(60), 0);
}

TEST_F(MidiIntakeTest, ChannelsShareOneEntryPerNote)
{
    MidiBlock on;
    on.noteOn(2, 60, 100);
    receive(on);
    EXPECT_EQ(velocityOf(60), 100);

    MidiBlock off;
    off.noteOff(6, 60);
    receive(off);
    EXPECT_EQ(velocityOf(60), 0);
}

TEST_F(MidiIntakeTest, DataBytesAreMaskedToSevenBits)
{
    MidiBlock block;
    block.add(0x90, 0x80 | 60, 0x80 | 5); // top bits set on note and velocity
    receive(block);
    EXPECT_EQ(velocityOf(60), 5);
}

TEST_F(MidiIntakeTest, OtherStatusesAreIgnored)
{
    MidiBlock block;
    block
        .add(0xA0, 60, 100) // polyphonic pressure
        .add(0xB0, 60, 100) // controller
        .add(0xC0, 60, 0) // program change
        .add(0xE0, 60, 100) // pitch bend
        .add(0xF0, 60, 100) // system
        .add(0x3C, 60, 100); // a data byte where a status should be
    receive(block);
    EXPECT_EQ(velocityOf(60), 0);
}

TEST_F(MidiIntakeTest, EventsThatAreNotMidiAreSkipped)
{
    MidiBlock block;
    block.noteOn(0, 60, 100);
    VstEvents* events = block.events();
    events->events[0]->type = 6; // a sysex event
    receiveMidiBlock(events, nullptr);
    EXPECT_EQ(velocityOf(60), 0);
}

TEST_F(MidiIntakeTest, TransportChangeClearsTheTableBeforeTheBlock)
{
    MidiBlock held;
    held.noteOn(0, 60, 100).noteOn(0, 64, 100);
    receive(held);
    noteTable.entries[50].scoreState = 3;

    VstTimeInfo time{};
    time.flags = kVstTransportChanged;
    MidiBlock next;
    next.noteOn(0, 67, 80);
    receive(next, &time);

    EXPECT_EQ(velocityOf(60), 0);
    EXPECT_EQ(velocityOf(64), 0);
    EXPECT_EQ(noteTable.entries[50].scoreState.load(), 0);
    EXPECT_EQ(velocityOf(67), 80);
}

TEST_F(MidiIntakeTest, TimeInfoWithoutTheTransportBitKeepsTheTable)
{
    MidiBlock held;
    held.noteOn(0, 60, 100);
    receive(held);
    VstTimeInfo time{};
    time.flags = 2; // transport playing, not changed
    MidiBlock empty;
    receive(empty, &time);
    EXPECT_EQ(velocityOf(60), 100);
}

TEST_F(MidiIntakeTest, TransportChangeKeepsThePracticeTotals)
{
    practice.practiceScore = 6;
    practice.practiceMaximum = 8;
    VstTimeInfo time{};
    time.flags = kVstTransportChanged;
    MidiBlock empty;
    receive(empty, &time);
    EXPECT_EQ(practice.practiceScore.load(), 6);
    EXPECT_EQ(practice.practiceMaximum.load(), 8);
}

TEST_F(MidiIntakeTest, EveryBlockAsksAnOpenViewForOneRedraw)
{
    acceptRedisplayRequests(true);
    MidiBlock controllers;
    controllers.add(0xB0, 7, 100);
    receive(controllers);
    EXPECT_TRUE(takeRedisplayRequest());
    EXPECT_FALSE(takeRedisplayRequest());
}

TEST_F(MidiIntakeTest, AClosedViewGetsNoRedrawRequest)
{
    MidiBlock block;
    block.noteOn(0, 60, 100);
    receive(block);
    EXPECT_EQ(velocityOf(60), 100);
    acceptRedisplayRequests(true);
    EXPECT_FALSE(takeRedisplayRequest());
}

TEST_F(MidiIntakeTest, MalformedBlocksAreHarmless)
{
    receiveMidiBlock(nullptr, nullptr);

    MidiBlock block;
    block.noteOn(0, 60, 100);
    VstEvents* events = block.events();
    events->numEvents = -5;
    receiveMidiBlock(events, nullptr);
    EXPECT_EQ(velocityOf(60), 0);

    events->numEvents = 1;
    events->events[0] = nullptr;
    receiveMidiBlock(events, nullptr);
    EXPECT_EQ(velocityOf(60), 0);
}

TEST_F(MidiIntakeTest, CountsTheMidiEventsAndNoteOnsABlockBrought)
{
    MidiBlock block;
    block.noteOn(0, 60, 100).noteOn(15, 127, 1).noteOn(0, 64, 0).noteOff(0, 62).add(0xB0, 64, 127).noteOn(3, 5, 90);
    block.noteOn(0, 62, 100).add(0xF8, 0, 0);
    VstEvents* events = block.events();
    VstEvent** list = events->events; // the host's list runs past the declared two
    list[6] = nullptr;
    list[7]->type = kVstMidiType + 5;
    for (const bool practising : {false, true}) {
        resetPluginState();
        practice.practiceMode = practising;
        const MidiBlockCounts counts = receiveMidiBlock(events, nullptr);
        EXPECT_EQ(counts.midiEvents, 6) << "practice " << practising;
        EXPECT_EQ(counts.noteOns, 3) << "practice " << practising;
        EXPECT_EQ(heldNoteCount(), 2) << "practice " << practising;
    }

    events->numEvents = -3;
    const MidiBlockCounts none = receiveMidiBlock(events, nullptr);
    EXPECT_EQ(none.midiEvents, 0);
    EXPECT_EQ(none.noteOns, 0);
    EXPECT_EQ(receiveMidiBlock(nullptr, nullptr).midiEvents, 0);
}

TEST_F(MidiIntakeTest, PracticeModeScoresEveryNoteEvent)
{
    practice.practiceMode = true;
    MidiBlock block;
    block.noteOn(0, 60, 100).noteOn(referenceChannel, 60, 100);
    receive(block);
    EXPECT_EQ(practice.practiceScore.load(), 2);
    EXPECT_EQ(practice.practiceMaximum.load(), 2);
}

TEST_F(MidiIntakeTest, WithoutPracticeModeNothingIsScored)
{
    MidiBlock block;
    block.noteOn(0, 60, 100).noteOn(referenceChannel, 62, 100);
    receive(block);
    EXPECT_EQ(practice.practiceScore.load(), 0);
    EXPECT_EQ(practice.practiceMaximum.load(), 0);
    EXPECT_EQ(noteTable.entries[48].scoreState.load(), 0);
}

TEST(HighestHeldNote, LooksAtThirtyNineNotesFromTheTop)
{
    clearNoteTable();
    noteTable.entries[60 - 12].velocity = 1;
    noteTable.entries[72 - 12].velocity = 1;
    EXPECT_EQ(highestHeldNote(48), 13);

    clearNoteTable();
    noteTable.entries[98 - 12].velocity = 1;
    EXPECT_EQ(highestHeldNote(48), 39);

    clearNoteTable();
    noteTable.entries[99 - 12].velocity = 1;
    EXPECT_EQ(highestHeldNote(48), 0);
}

TEST(HighestHeldNote, WindowsReachingOutsideTheTableAreSilentThere)
{
    clearNoteTable();
    noteTable.entries[noteTableSize - 1].velocity = 1;
    EXPECT_EQ(highestHeldNote(noteTableSize - 5), 5);
    EXPECT_EQ(highestHeldNote(-100), 0);
    noteTable.entries[0].velocity = 1;
    EXPECT_EQ(highestHeldNote(-38), 39);
    clearNoteTable();
}

} // namespace
