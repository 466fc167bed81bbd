// The Standard MIDI File reader on hand-made files: what it reads from good
// files, and where it stops on bad ones.
#include "host/engine/MidiFile.h"
#include "tests/host/SmfBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

MidiFile parseGood(const Bytes& bytes)
{
    MidiFile file;
    MidiFileError error;
    EXPECT_TRUE(parseMidiFile(bytes.data(), bytes.size(), file, error)) << error.describe();
    return file;
}

MidiFileError parseBad(const Bytes& bytes)
{
    MidiFile file;
    MidiFileError error;
    EXPECT_FALSE(parseMidiFile(bytes.data(), bytes.size(), file, error));
    return error;
}

void expectEvent(const MidiFileEvent& event, uint64_t tick, uint8_t status, uint8_t data1, uint8_t data2 = 0)
{
    EXPECT_EQ(event.tick, tick);
    EXPECT_EQ(event.bytes[0], status);
    EXPECT_EQ(event.bytes[1], data1);
    if (event.size == 3) {
        EXPECT_EQ(event.bytes[2], data2);
    }
}

TEST(MidiFileTest, ReadsNotesOnEveryChannelWithTheirTimes)
{
    Bytes body;
    for (uint8_t channel = 0; channel < 16; ++channel) {
        const Bytes on = {0x0A, static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(40 + channel), 100};
        const Bytes off = {0x05, static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(40 + channel), 0};
        body = join({body, on, off});
    }
    const MidiFile file = parseGood(singleTrackFile(join({body, endOfTrack()})));

    EXPECT_EQ(file.format, 0);
    EXPECT_EQ(file.ticksPerQuarter, 480);
    ASSERT_EQ(file.events.size(), 32u);
    for (int channel = 0; channel < 16; ++channel) {
        expectEvent(file.events[2 * channel], 15 * channel + 10, static_cast<uint8_t>(0x90 | channel),
            static_cast<uint8_t>(40 + channel), 100);
        expectEvent(file.events[2 * channel + 1], 15 * channel + 15, static_cast<uint8_t>(0x80 | channel),
            static_cast<uint8_t>(40 + channel), 0);
    }
    EXPECT_EQ(file.endTick, 240u);
}

TEST(MidiFileTest, RunningStatusRepeatsTheLastChannelStatus)
{
    // Note-ons without their status byte, a program change (one data byte) in
    // running status, and running status kept across a meta event.
    const Bytes body = {0x00, 0x91, 60, 90, 0x10, 64, 80, 0x10, 60, 0, // 0x91 three times
        0x00, 0xC2, 5, 0x00, 7, // program change twice
        0x00, 0xFF, 0x01, 0x02, 'h', 'i', 0x00, 9}; // text, then 0xC2 9
    const MidiFile file = parseGood(singleTrackFile(join({body, endOfTrack()})));

    ASSERT_EQ(file.events.size(), 6u);
    expectEvent(file.events[0], 0, 0x91, 60, 90);
    expectEvent(file.events[1], 16, 0x91, 64, 80);
    expectEvent(file.events[2], 32, 0x91, 60, 0);
    EXPECT_EQ(file.events[3].size, 2);
    expectEvent(file.events[3], 32, 0xC2, 5);
    expectEvent(file.events[4], 32, 0xC2, 7);
    expectEvent(file.events[5], 32, 0xC2, 9);
}

TEST(MidiFileTest, VariableLengthDeltasUpToFourBytes)
{
    const Bytes body = {0x81, 0x00, 0x90, 60, 1, // 128
        0xFF, 0xFF, 0xFF, 0x7F, 0x80, 60, 0, // 0x0FFFFFFF
        0x00, 0xFF, 0x2F, 0x00};
    const MidiFile file = parseGood(singleTrackFile(body));
    ASSERT_EQ(file.events.size(), 2u);
    EXPECT_EQ(file.events[0].tick, 128u);
    EXPECT_EQ(file.events[1].tick, 128u + 0x0FFFFFFFu);
}

TEST(MidiFileTest, KeepsTempoChangesAndSkipsSysexAndOtherMetaEvents)
{
    const Bytes body = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, // 500000 us
        0x00, 0xF0, 0x03, 0x7E, 0x09, 0xF7, // sysex
        0x00, 0xFF, 0x58, 0x04, 4, 2, 24, 8, // time signature
        0x60, 0x90, 60, 100, 0x60, 0xF7, 0x02, 0xF3, 0x01, // escaped bytes
        0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, // 1000000 us
        0x60, 0x80, 60, 0};
    const MidiFile file = parseGood(singleTrackFile(join({body, endOfTrack()})));

    ASSERT_EQ(file.events.size(), 2u);
    ASSERT_EQ(file.tempoChanges.size(), 2u);
    EXPECT_EQ(file.tempoChanges[0].tick, 0u);
    EXPECT_EQ(file.tempoChanges[0].microsecondsPerQuarter, 500000u);
    EXPECT_EQ(file.tempoChanges[1].tick, 0xC0u);
    EXPECT_EQ(file.tempoChanges[1].microsecondsPerQuarter, 1000000u);
    EXPECT_EQ(file.events[1].tick, 0x120u);
}

TEST(MidiFileTest, FormatOneTracksMergeInTimeOrderAndKeepTrackOrderAtEqualTimes)
{
    Bytes file = smfHeader(1, 3, 96);
    appendTrack(file, {0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x30, 0xB0, 7, 100, 0x00, 0xFF, 0x2F, 0x00});
    appendTrack(file, {0x10, 0x90, 60, 1, 0x20, 0x90, 61, 1, 0x00, 0x90, 62, 1, 0x00, 0xFF, 0x2F, 0x00});
    appendChunk(file, "XFIH", {1, 2, 3}); // unknown chunks are skipped
    appendTrack(file, {0x10, 0x91, 70, 1, 0x20, 0x91, 71, 1, 0x10, 0xFF, 0x2F, 0x00});
    const MidiFile merged = parseGood(file);

    ASSERT_EQ(merged.events.size(), 6u);
    const uint64_t ticks[] = {0x10, 0x10, 0x30, 0x30, 0x30, 0x30};
    const uint16_t tracks[] = {1, 2, 0, 1, 1, 2};
    const uint8_t notes[] = {60, 70, 7, 61, 62, 71};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(merged.events[i].tick, ticks[i]) << i;
        EXPECT_EQ(merged.events[i].track, tracks[i]) << i;
        EXPECT_EQ(merged.events[i].bytes[1], notes[i]) << i;
    }
    EXPECT_EQ(merged.trackCount, 3);
    EXPECT_EQ(merged.endTick, 0x40u);
    ASSERT_EQ(merged.tempoChanges.size(), 1u);
}

TEST(MidiFileTest, ATrackEndsAtItsEndOfTrackEventOrItsChunk)
{
    // Bytes after the end-of-track event are ignored; a track without one ends with its chunk.
    Bytes file = smfHeader(1, 2, 96);
    appendTrack(file, {0x00, 0x90, 60, 1, 0x40, 0xFF, 0x2F, 0x00, 0x00, 0x90, 99, 1});
    appendTrack(file, {0x05, 0x90, 61, 1});
    const MidiFile parsed = parseGood(file);
    ASSERT_EQ(parsed.events.size(), 2u);
    EXPECT_EQ(parsed.events[0].bytes[1], 60);
    EXPECT_EQ(parsed.events[1].bytes[1], 61);
    EXPECT_EQ(parsed.endTick, 0x40u);
}

TEST(MidiFileTest, SmpteDivisionGivesTicksPerSecond)
{
    Bytes file = smfHeader(0, 1, 0xE728); // -25 fps, 40 ticks per frame
    appendTrack(file, endOfTrack());
    const MidiFile parsed = parseGood(file);
    EXPECT_EQ(parsed.ticksPerQuarter, 0);
    EXPECT_DOUBLE_EQ(parsed.ticksPerSecond, 1000.0);
}

struct BadFile {
    const char* what;
    Bytes bytes;
    size_t offset;
    const char* message;
};

TEST(MidiFileTest, MalformedFilesNameTheOffendingByte)
{
    const Bytes header = smfHeader(0, 1, 480);
    auto track = [&](const Bytes& body) { return singleTrackFile(body); };
    const BadFile cases[] = {
        {"empty", {}, 0, "does not start with \"MThd\""},
        {"not midi", {'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 0, 0, 1, 1, 0xE0}, 0, "MThd"},
        {"short header", {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0}, 10, "ends inside its header"},
        {"header length 4", {'M', 'T', 'h', 'd', 0, 0, 0, 4, 0, 0, 0, 1, 1, 0xE0}, 4, "at least 6"},
        {"header longer than file", {'M', 'T', 'h', 'd', 0, 0, 1, 0, 0, 0, 0, 1, 1, 0xE0}, 4, "declares 256 bytes"},
        {"format 2", smfHeader(2, 1, 480), 8, "format 2"},
        {"format 7", smfHeader(7, 1, 480), 8, "unknown format 7"},
        {"format 0, two tracks", smfHeader(0, 2, 480), 10, "one track"},
        {"no tracks", smfHeader(1, 0, 480), 10, "no tracks"},
        {"division 0", smfHeader(0, 1, 0), 12, "division of 0"},
        {"smpte 23 fps", smfHeader(0, 1, 0xE90A), 12, "frame rate 23"},
        {"missing track", header, 14, "after 0 of 1 tracks"},
        {"chunk longer than file", join({header, {'M', 'T', 'r', 'k', 0, 0, 0, 9, 0x00, 0x90}}), 18, "declares 9"},
        {"five-byte quantity", track({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 1}), 22, "longer than 4 bytes"},
        {"track ends in quantity", track({0x00, 0x90, 60, 1, 0x81}), 27, "inside a variable-length quantity"},
        {"track ends after delta", track({0x00, 0x90, 60, 1, 0x00}), 27, "without its event"},
        {"data byte first", track({0x00, 0x3C, 0x40}), 23, "data byte 0x3C without a status"},
        {"truncated note", track({0x00, 0x90, 60}), 25, "ends inside a 0x90 message"},
        {"status where data belongs", track({0x00, 0x90, 60, 0x80, 60, 0}), 25, "status byte 0x80"},
        {"meta past end", track({0x00, 0xFF, 0x01, 0x10, 'a'}), 25, "meta event of 16 bytes"},
        {"meta ends after type", track({0x00, 0xFF}), 24, "inside a meta event"},
        {"short tempo", track({0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1}), 25, "tempo event of 2 bytes"},
        {"tempo 0", track({0x00, 0xFF, 0x51, 0x03, 0, 0, 0}), 26, "tempo of 0"},
        {"sysex past end", track({0x00, 0xF0, 0x05, 0x7E}), 24, "sysex event of 5 bytes"},
        {"song position in file", track({0x00, 0xF2, 0x00, 0x00}), 23, "status 0xF2"},
    };
    for (const BadFile& bad : cases) {
        const MidiFileError error = parseBad(bad.bytes);
        EXPECT_EQ(error.offset, bad.offset) << bad.what << ": " << error.describe();
        EXPECT_NE(error.message.find(bad.message), std::string::npos) << bad.what << ": " << error.describe();
    }
}

TEST(MidiFileTest, EveryTruncationOfAGoodFileFailsInsideTheBytesGiven)
{
    Bytes file = smfHeader(1, 2, 96);
    appendTrack(file, {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xF0, 0x02, 0x01, 0xF7, 0x00, 0xFF, 0x2F, 0x00});
    appendTrack(file, {0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00});
    parseGood(file);
    for (size_t length = 0; length < file.size(); ++length) {
        const Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        const MidiFileError error = parseBad(prefix);
        EXPECT_LE(error.offset, length) << "truncated to " << length;
        EXPECT_FALSE(error.message.empty());
    }
}

TEST(MidiFileTest, CorruptedBytesNeverCrashOrReadOutside)
{
    // Every byte of a small file replaced by a handful of values: the reader
    // answers yes or no, and a no points inside the file. (The sanitizers of
    // the native build catch any read outside the buffer.)
    Bytes good = smfHeader(1, 2, 96);
    appendTrack(good, {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00});
    appendTrack(good, {0x00, 0x90, 60, 100, 0x60, 62, 90, 0x83, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00});
    for (size_t at = 0; at < good.size(); ++at) {
        for (int value : {0x00, 0x01, 0x7F, 0x80, 0x90, 0xF0, 0xFF}) {
            Bytes bad = good;
            bad[at] = static_cast<uint8_t>(value);
            MidiFile file;
            MidiFileError error;
            if (!parseMidiFile(bad.data(), bad.size(), file, error)) {
                EXPECT_LE(error.offset, bad.size()) << at << " " << int(value);
            }
        }
    }
}

TEST(MidiFileTest, LoadingAMissingFileNamesIt)
{
    MidiFile file;
    std::string message;
    EXPECT_FALSE(loadMidiFile("no-such-song.mid", file, message));
    EXPECT_NE(message.find("no-such-song.mid"), std::string::npos);
}

TEST(MidiFileTest, NullDataIsAnEmptyFile)
{
    MidiFile file;
    MidiFileError error;
    EXPECT_FALSE(parseMidiFile(nullptr, 100, file, error));
    EXPECT_EQ(error.offset, 0u);
}

} // namespace
