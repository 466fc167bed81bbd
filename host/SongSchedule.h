#pragma once
// A MIDI file laid out on the host's sample clock: every channel message at
// the frame where it sounds, for a given sample rate, plus the tempo at any
// frame for the time info the plug-in asks for.
#include "host/MidiFile.h"

#include <cstdint>
#include <vector>

struct ScheduledMidi {
    int64_t frame = 0;
    uint8_t bytes[3] = {0, 0, 0};
    uint8_t size = 0;
};

class SongSchedule {
public:
    SongSchedule() = default;
    SongSchedule(const MidiFile& file, double sampleRate);

    // In frame order; equal frames keep the file's order.
    const std::vector<ScheduledMidi>& events() const { return scheduled; }
    // The end of the song: the latest end of any track, never before its last event.
    int64_t lengthFrames() const { return length; }
    double sampleRate() const { return rate; }

    // Tempo in beats per minute and position in quarter notes at a frame
    // (120 bpm for files in SMPTE time, which carry no tempo).
    double tempoAt(int64_t frame) const;
    double quarterNotesAt(int64_t frame) const;

private:
    struct TempoSegment {
        int64_t frame;
        double quarterNotes;
        double beatsPerMinute;
    };
    const TempoSegment& segmentAt(int64_t frame) const;

    std::vector<ScheduledMidi> scheduled;
    // Starts at 120 bpm; a file's tempo changes follow.
    std::vector<TempoSegment> segments{TempoSegment{0, 0.0, 120.0}};
    int64_t length = 0;
    double rate = 44100.0;
};
