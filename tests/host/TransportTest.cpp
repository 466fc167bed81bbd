// The transport and the processing loop: where each song event lands in the
// blocks, when the transport-changed bit is set, and what reaches the sink.
#include "host/engine/ProcessingLoop.h"
#include "host/engine/Transport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

constexpr int32_t block = 512;

// Notes at frames 100, 700 and 1100 of a song 1500 frames long (1 tick = 1 frame).
SongSchedule threeNotes()
{
    MidiFile file;
    file.ticksPerSecond = 44100.0;
    for (uint64_t tick : {100, 700, 1100}) {
        MidiFileEvent event;
        event.tick = tick;
        event.bytes[0] = 0x90;
        event.bytes[1] = static_cast<uint8_t>(60 + tick / 100);
        event.bytes[2] = 100;
        event.size = 3;
        file.events.push_back(event);
    }
    file.endTick = 1500;
    return SongSchedule(file, 44100.0);
}

HostCommand command(HostCommandKind kind)
{
    HostCommand made;
    made.kind = kind;
    return made;
}

struct Block {
    std::vector<VstMidiEvent> events;
    VstTimeInfo time{};
};

Block next(Transport& transport, std::vector<HostCommand> commands = {}, int32_t frames = 0)
{
    Block result;
    transport.nextBlock(commands, result.events, result.time, frames);
    return result;
}

bool changed(const Block& b)
{
    return (b.time.flags & kVstTransportChanged) != 0;
}

TEST(TransportTest, SongEventsLandInTheirBlockAtTheirOffset)
{
    const SongSchedule song = threeNotes();
    Transport transport(&song, block, 44100.0, false);

    const Block first = next(transport, {command(HostCommandKind::Play)});
    ASSERT_EQ(first.events.size(), 1u);
    EXPECT_EQ(first.events[0].deltaFrames, 100);
    EXPECT_EQ(first.events[0].type, kVstMidiType);
    EXPECT_EQ(first.events[0].byteSize, static_cast<int32_t>(sizeof(VstMidiEvent)));
    EXPECT_EQ(static_cast<uint8_t>(first.events[0].midiData[0]), 0x90);
    EXPECT_EQ(first.events[0].midiData[1], 61);
    EXPECT_TRUE(changed(first));
    EXPECT_TRUE(first.time.flags & kVstTransportPlaying);

    const Block second = next(transport);
    ASSERT_EQ(second.events.size(), 1u);
    EXPECT_EQ(second.events[0].deltaFrames, 700 - 512);
    EXPECT_FALSE(changed(second));
    EXPECT_DOUBLE_EQ(second.time.samplePos, 512.0);

    const Block third = next(transport);
    ASSERT_EQ(third.events.size(), 1u);
    EXPECT_EQ(third.events[0].deltaFrames, 1100 - 1024);
}

TEST(TransportTest, TheEndStopsOrLoopsAndEitherWayReportsAChange)
{
    const SongSchedule song = threeNotes();
    Transport once(&song, block, 44100.0, false);
    next(once, {command(HostCommandKind::Play)});
    next(once);
    next(once); // reaches frame 1536, past the end at 1500
    EXPECT_FALSE(once.isPlaying());
    EXPECT_EQ(once.songEnds(), 1u);
    const Block after = next(once);
    EXPECT_TRUE(changed(after));
    EXPECT_FALSE(after.time.flags & kVstTransportPlaying);
    EXPECT_TRUE(after.events.empty());
    EXPECT_FALSE(changed(next(once)));

    Transport looping(&song, block, 44100.0, true);
    next(looping, {command(HostCommandKind::Play)});
    next(looping);
    next(looping);
    const Block again = next(looping);
    EXPECT_TRUE(looping.isPlaying());
    EXPECT_EQ(looping.songEnds(), 1u);
    EXPECT_TRUE(changed(again));
    EXPECT_DOUBLE_EQ(again.time.samplePos, 0.0);
    ASSERT_EQ(again.events.size(), 1u);
    EXPECT_EQ(again.events[0].deltaFrames, 100);
    EXPECT_FALSE(changed(next(looping)));
}

TEST(TransportTest, LiveMessagesGoFirstAtTheStartOfTheBlock)
{
    const SongSchedule song = threeNotes();
    Transport transport(&song, block, 44100.0, false);
    HostCommand live = command(HostCommandKind::Midi);
    live.bytes[0] = 0x9F;
    live.bytes[1] = 61;
    live.bytes[2] = 90;
    live.size = 3;

    const Block first = next(transport, {command(HostCommandKind::Play), live});
    ASSERT_EQ(first.events.size(), 2u);
    EXPECT_EQ(first.events[0].deltaFrames, 0);
    EXPECT_EQ(static_cast<uint8_t>(first.events[0].midiData[0]), 0x9F);
    EXPECT_EQ(first.events[1].deltaFrames, 100);
}

TEST(TransportTest, JumpAndStopReportAChangeOnce)
{
    const SongSchedule song = threeNotes();
    Transport transport(&song, block, 44100.0, false);
    EXPECT_FALSE(changed(next(transport)));
    EXPECT_TRUE(changed(next(transport, {command(HostCommandKind::Jump)})));
    EXPECT_FALSE(changed(next(transport)));

    next(transport, {command(HostCommandKind::Play)});
    const Block stopped = next(transport, {command(HostCommandKind::Stop)});
    EXPECT_TRUE(changed(stopped));
    EXPECT_TRUE(stopped.events.empty()); // the note at 700 is not sent after the stop
    EXPECT_FALSE(transport.isPlaying());
}

TEST(TransportTest, AnEmptyOrMissingSongNeverPlays)
{
    const SongSchedule empty;
    Transport looping(&empty, block, 44100.0, true);
    next(looping, {command(HostCommandKind::Play)});
    EXPECT_FALSE(looping.isPlaying());
    EXPECT_FALSE(changed(next(looping)));

    Transport live(nullptr, block, 44100.0, true);
    const Block played = next(live, {command(HostCommandKind::Play)});
    EXPECT_FALSE(live.isPlaying());
    EXPECT_DOUBLE_EQ(played.time.tempo, 120.0);
}

TEST(TransportTest, ShortBlocksEndExactlyWhereARenderAsks)
{
    const SongSchedule song = threeNotes();
    Transport transport(&song, block, 44100.0, false);

    // Up to and including frame 100: the first note is in.
    const Block first = next(transport, {command(HostCommandKind::Play)}, 101);
    ASSERT_EQ(first.events.size(), 1u);
    EXPECT_EQ(first.events[0].deltaFrames, 100);
    // One frame short of the second note: nothing.
    EXPECT_TRUE(next(transport, {}, 511).events.empty());
    EXPECT_TRUE(next(transport, {}, 88).events.empty());
    const Block onTheNote = next(transport, {}, 1);
    ASSERT_EQ(onTheNote.events.size(), 1u);
    EXPECT_EQ(onTheNote.events[0].deltaFrames, 0);
    EXPECT_DOUBLE_EQ(onTheNote.time.samplePos, 700.0);
    // More than a block is a block: the plug-in was promised no more.
    const Block whole = next(transport, {}, 5000);
    ASSERT_EQ(whole.events.size(), 1u);
    EXPECT_EQ(whole.events[0].deltaFrames, 1100 - 701);
    EXPECT_DOUBLE_EQ(next(transport, {}, 10).time.samplePos, 701.0 + block);
}

TEST(ProcessingLoopTest, OnlyBlocksWithSomethingForThePlugInCarryEvents)
{
    const SongSchedule song = threeNotes();
    Transport transport(&song, block, 44100.0, false);
    HostCommandQueue queue;
    std::vector<int> counts;
    std::vector<int> deltas;
    ProcessingLoop loop(
        transport, queue,
        [&](VstEvents* events, const VstTimeInfo&, int32_t frames) {
            EXPECT_EQ(frames, block);
            counts.push_back(events ? events->numEvents : -1);
            if (events) {
                VstEvent* const* list = events->events;
                for (int32_t i = 0; i < events->numEvents; ++i)
                    deltas.push_back(list[i]->deltaFrames);
            }
        },
        block, 44100.0);

    loop.runBlock();
    const uint32_t play = queue.post(command(HostCommandKind::Play));
    queue.postMidi(0x90, 40, 1);
    queue.postMidi(0x90, 41, 1);
    const uint32_t last = queue.postMidi(0x90, 42, 1);
    EXPECT_FALSE(queue.isDone(play));
    loop.runBlock();
    EXPECT_TRUE(queue.isDone(last));
    loop.runBlock();

    EXPECT_EQ(counts, (std::vector<int>{-1, 4, 1}));
    EXPECT_EQ(deltas, (std::vector<int>{0, 0, 0, 100, 188}));
}

TEST(ProcessingLoopTest, AShortBlockReachesTheSinkWithItsLength)
{
    const SongSchedule song = threeNotes();
    Transport transport(&song, block, 44100.0, false);
    HostCommandQueue queue;
    std::vector<int32_t> lengths;
    ProcessingLoop loop(
        transport, queue, [&](VstEvents*, const VstTimeInfo&, int32_t frames) { lengths.push_back(frames); }, block,
        44100.0);
    loop.runBlock(7);
    loop.runBlock();
    loop.runBlock(block + 1);
    EXPECT_EQ(lengths, (std::vector<int32_t>{7, block, block}));
}

TEST(ProcessingLoopTest, ThePacedThreadDeliversCommandsAndStops)
{
    Transport transport(nullptr, block, 44100.0, false);
    HostCommandQueue queue;
    std::atomic<int> notes{0};
    ProcessingLoop loop(
        transport, queue,
        [&](VstEvents* events, const VstTimeInfo&, int32_t) {
            if (events)
                notes += events->numEvents;
        },
        block, 44100.0);
    loop.start();
    const uint32_t ticket = queue.postMidi(0x90, 60, 100);
    // A guard against hanging, not a speed requirement.
    for (int i = 0; i < 20000 && !queue.isDone(ticket); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    loop.stop();
    EXPECT_TRUE(queue.isDone(ticket));
    EXPECT_EQ(notes.load(), 1);
}

} // namespace
