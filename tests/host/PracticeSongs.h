#pragma once
// Small songs and a recording MIDI output for the practice tests: 480 ticks
// to the quarter note at 120 bpm, so a quarter note lasts 22050 frames at
// 44.1 kHz and a 4/4 bar 88200.
#include "host/engine/MidiFile.h"
#include "host/engine/MidiOutput.h"
#include "host/engine/SongSchedule.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

constexpr int64_t quarterFrames = 22050;
constexpr int64_t barFrames = 4 * quarterFrames;
constexpr uint64_t quarterTicks = 480;

struct SongNote {
    int channel; // 1..16
    int note;
    uint64_t startQuarter;
    uint64_t quarters;
};

inline MidiFile songOf(const std::vector<SongNote>& notes, uint64_t endQuarter)
{
    MidiFile file;
    file.ticksPerQuarter = static_cast<int>(quarterTicks);
    for (const SongNote& note : notes) {
        for (const bool on : {true, false}) {
            MidiFileEvent event;
            event.tick = (note.startQuarter + (on ? 0 : note.quarters)) * quarterTicks - (on ? 0 : 1);
            event.bytes[0] = static_cast<uint8_t>((on ? 0x90 : 0x80) | (note.channel - 1));
            event.bytes[1] = static_cast<uint8_t>(note.note);
            event.bytes[2] = on ? 100 : 0;
            event.size = 3;
            file.events.push_back(event);
        }
    }
    std::stable_sort(file.events.begin(), file.events.end(),
        [](const MidiFileEvent& a, const MidiFileEvent& b) { return a.tick < b.tick; });
    file.endTick = endQuarter * quarterTicks;
    return file;
}

class RecordingOutput : public MidiOutput {
public:
    void send(const uint8_t* bytes, uint8_t size) override
    {
        sent.push_back({bytes[0], size > 1 ? bytes[1] : uint8_t{0}, size > 2 ? bytes[2] : uint8_t{0}});
    }
    std::vector<std::array<uint8_t, 3>> sent;
};
