// The bars of a song: laid out from the file's time signatures, read from
// its bytes, and kept within bounds whatever the file claims.
#include "host/engine/MidiFile.h"
#include "host/engine/SongSchedule.h"
#include "tests/host/PracticeSongs.h"
#include "tests/host/SmfBytes.h"

#include <gtest/gtest.h>

namespace {

TEST(SongBarsTest, TimeSignaturesAreReadAndNonsenseIsSkipped)
{
    // 3/4 at tick 0, a signature of no beats at 960 (skipped), 6/8 at 1440 (two bars of 3/4).
    const Bytes file = singleTrackFile(join({
        {0x00, 0xFF, 0x58, 0x04, 3, 2, 24, 8},
        {0x87, 0x40, 0xFF, 0x58, 0x04, 0, 2, 24, 8},
        {0x83, 0x60, 0xFF, 0x58, 0x04, 6, 3, 24, 8},
        {0x8B, 0x20, 0x90, 60, 100}, // at tick 2880
        endOfTrack(),
    }));
    MidiFile midi;
    MidiFileError error;
    ASSERT_TRUE(parseMidiFile(file.data(), file.size(), midi, error)) << error.describe();
    ASSERT_EQ(midi.timeSignatures.size(), 2u);
    EXPECT_EQ(midi.timeSignatures[1].tick, 1440u);
    EXPECT_EQ(midi.timeSignatures[1].numerator, 6);
    EXPECT_EQ(midi.timeSignatures[1].denominator, 8);

    // 3/4 bars of 1440 ticks, then 6/8 bars of 1440 ticks: the note at 2880 starts bar 3.
    const SongSchedule song(midi, 44100.0);
    EXPECT_EQ(song.barCount(), 3);
    EXPECT_EQ(song.barStartFrame(2), 3 * quarterFrames);
    EXPECT_EQ(song.barAt(song.events().back().frame), 3);
    EXPECT_EQ(song.timeSignatureAt(0).numerator, 3);
    EXPECT_EQ(song.timeSignatureAt(song.barStartFrame(2)).denominator, 8);
}

TEST(SongBarsTest, ASignatureInsideABarStartsANewBar)
{
    MidiFile file = songOf({{1, 60, 0, 1}}, 12);
    file.timeSignatures.push_back(TimeSignature{2 * quarterTicks, 2, 4});
    const SongSchedule song(file, 44100.0);
    // 4/4 cut short after two beats, then 2/4 bars of two beats to the end.
    EXPECT_EQ(song.barCount(), 6);
    EXPECT_EQ(song.barEndFrame(1), 2 * quarterFrames);
    EXPECT_EQ(song.barStartFrame(3), 4 * quarterFrames);
    EXPECT_EQ(song.barEndFrame(6), song.lengthFrames());
    EXPECT_EQ(song.barAt(song.lengthFrames() + 1000), 6);
}

TEST(SongBarsTest, EverySongHasABarAndAnAbsurdEndStaysBounded)
{
    const SongSchedule empty;
    EXPECT_EQ(empty.barCount(), 1);
    EXPECT_EQ(empty.barAt(123456), 1);

    MidiFile endless = songOf({{1, 60, 0, 1}}, 1);
    endless.endTick = uint64_t{1} << 40;
    const SongSchedule song(endless, 44100.0);
    EXPECT_EQ(song.barCount(), 100000);
    EXPECT_EQ(song.barEndFrame(100000), song.lengthFrames());
}

} // namespace
