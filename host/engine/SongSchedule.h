#pragma once
// A MIDI file laid out on the host's sample clock: every channel message at
// the frame where it sounds, for a given sample rate, plus the tempo at any
// frame for the time info the plug-in asks for, and where its bars begin.
#include "host/engine/MidiFile.h"

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

    // Bars are numbered from 1 and follow the file's time signatures (4/4
    // without any; 2-second bars for files in SMPTE time). The last bar is
    // the one the song's end falls in; every song has at least one.
    int barCount() const { return static_cast<int>(bars.size()); }
    // The bar a frame falls in, 1..barCount(); frames past the end belong to the last bar.
    int barAt(int64_t frame) const;
    int64_t barStartFrame(int bar) const;
    // The frame after the bar's last, the song's end for the last bar.
    int64_t barEndFrame(int bar) const;
    const TimeSignature& timeSignatureAt(int64_t frame) const;

private:
    struct Bar {
        int64_t frame;
        TimeSignature signature;
    };
    void layOutBars(const MidiFile& file);

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
    std::vector<Bar> bars{Bar{0, TimeSignature{}}};
};
