// A MIDI file laid out on the sample clock: tempo changes move the frames of
// what follows them; SMPTE files ignore tempo.
#include "host/engine/SongSchedule.h"

#include <gtest/gtest.h>

namespace {

MidiFileEvent note(uint64_t tick, uint8_t key)
{
    MidiFileEvent event;
    event.tick = tick;
    event.bytes[0] = 0x90;
    event.bytes[1] = key;
    event.bytes[2] = 100;
    event.size = 3;
    return event;
}

MidiFile metrical(std::initializer_list<MidiFileEvent> events, std::initializer_list<TempoChange> tempos = {})
{
    MidiFile file;
    file.ticksPerQuarter = 480;
    file.events = events;
    file.tempoChanges = tempos;
    return file;
}

TEST(SongScheduleTest, WithoutTempoEventsAQuarterNoteLastsHalfASecond)
{
    const SongSchedule song(metrical({note(0, 60), note(480, 62), note(720, 64)}), 44100.0);
    ASSERT_EQ(song.events().size(), 3u);
    EXPECT_EQ(song.events()[0].frame, 0);
    EXPECT_EQ(song.events()[1].frame, 22050);
    EXPECT_EQ(song.events()[2].frame, 33075);
    EXPECT_EQ(song.events()[2].bytes[1], 64);
    EXPECT_DOUBLE_EQ(song.tempoAt(30000), 120.0);
}

TEST(SongScheduleTest, ATempoChangeStretchesOnlyWhatFollowsIt)
{
    // 120 bpm for two quarters, then 60 bpm: tick 1440 is 1 s + 1 s.
    MidiFile file = metrical({note(480, 60), note(1440, 62)}, {{960, 1000000}});
    file.endTick = 1920;
    const SongSchedule song(file, 44100.0);

    EXPECT_EQ(song.events()[0].frame, 22050);
    EXPECT_EQ(song.events()[1].frame, 88200);
    EXPECT_EQ(song.lengthFrames(), 132300);
    EXPECT_DOUBLE_EQ(song.tempoAt(44099), 120.0);
    EXPECT_DOUBLE_EQ(song.tempoAt(44100), 60.0);
    EXPECT_DOUBLE_EQ(song.quarterNotesAt(44100), 2.0);
    EXPECT_DOUBLE_EQ(song.quarterNotesAt(88200), 3.0);
}

TEST(SongScheduleTest, TwoTempoChangesAtOneTickLeaveTheLaterInForce)
{
    const SongSchedule song(metrical({note(480, 60)}, {{0, 250000}, {0, 1000000}}), 1000.0);
    EXPECT_EQ(song.events()[0].frame, 1000);
    EXPECT_DOUBLE_EQ(song.tempoAt(0), 60.0);
}

TEST(SongScheduleTest, SmpteTimeIgnoresTempo)
{
    MidiFile file = metrical({note(500, 60)}, {{0, 1000000}});
    file.ticksPerQuarter = 0;
    file.ticksPerSecond = 1000.0;
    const SongSchedule song(file, 44100.0);
    EXPECT_EQ(song.events()[0].frame, 22050);
}

TEST(SongScheduleTest, TheSongLastsAtLeastUntilItsLastEvent)
{
    const SongSchedule song(metrical({note(480, 60)}), 44100.0);
    EXPECT_EQ(song.lengthFrames(), 22051);
    EXPECT_EQ(SongSchedule(metrical({}), 44100.0).lengthFrames(), 0);
}

TEST(SongScheduleTest, AbsurdlyLateEventsStayOnTheClock)
{
    // The slowest tempo at one tick per quarter, billions of ticks in: frames
    // are clamped instead of overflowing.
    MidiFile file = metrical({note(uint64_t{1} << 60, 60)}, {{0, 0xFFFFFF}});
    file.ticksPerQuarter = 1;
    const SongSchedule song(file, 44100.0);
    EXPECT_GT(song.events()[0].frame, 0);
    EXPECT_GE(song.lengthFrames(), song.events()[0].frame);
}

} // namespace
