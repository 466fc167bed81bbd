#pragma once
// A Standard MIDI File of format 0 or 1, read into one list of channel
// messages in playing order plus the tempo changes that time them. The host
// plays this list into the plug-in; sysex and every other meta event are dropped
// on reading, except the time signatures that lay out its bars.
//
// The reader never trusts a length or a count from the file: every read is
// checked against the bytes that are really there, and anything malformed or
// truncated is answered with the byte offset where reading stopped.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct MidiFileEvent {
    uint64_t tick = 0; // absolute time in the file's ticks
    uint8_t bytes[3] = {0, 0, 0};
    uint8_t size = 0; // 2 for program change and channel pressure, else 3
    uint16_t track = 0; // index of the track chunk it came from
};

struct TempoChange {
    uint64_t tick = 0;
    uint32_t microsecondsPerQuarter = 500000;
};

// A time signature: `numerator` beats of 1/`denominator` notes to the bar.
struct TimeSignature {
    uint64_t tick = 0;
    int numerator = 4;
    int denominator = 4;
};

struct MidiFile {
    int format = 0;
    int trackCount = 0;
    // Metrical time: ticks per quarter note, the tempo changes set the speed.
    int ticksPerQuarter = 0;
    // SMPTE time instead: a fixed number of ticks per second (0 when metrical).
    double ticksPerSecond = 0.0;
    // The latest end of any track (its end-of-track event, or its last event).
    uint64_t endTick = 0;
    // Sorted by tick; events at equal ticks keep track order, then file order.
    std::vector<MidiFileEvent> events;
    std::vector<TempoChange> tempoChanges; // sorted the same way
    std::vector<TimeSignature> timeSignatures; // sorted the same way; none means 4/4
};

struct MidiFileError {
    size_t offset = 0;
    std::string message;

    // "byte <offset>: <message>"
    std::string describe() const;
};

// Reads a whole file held in memory. Answers false, with `error` filled and
// `file` holding whatever was read before the fault, when the bytes are not a
// well-formed format 0 or 1 file.
bool parseMidiFile(const uint8_t* data, size_t size, MidiFile& file, MidiFileError& error);

// Reads the file at `path`; `message` names the file and, for a malformed
// file, the byte offset.
bool loadMidiFile(const std::string& path, MidiFile& file, std::string& message);
