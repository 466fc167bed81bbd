#include "host/engine/SongSchedule.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t defaultTempo = 500000; // microseconds per quarter note: 120 bpm
// Later times are clamped so that frame numbers stay far inside 64 bits.
constexpr double longestSong = 1e8;
// A file may claim an end far beyond its notes; past this many bars the last
// one simply runs to the end.
constexpr size_t mostBars = 100000;
constexpr double smpteBarSeconds = 2.0;

// Converts ticks to seconds along the tempo changes; asked for ticks in
// non-decreasing order, it walks the changes once.
class TickClock {
public:
    explicit TickClock(const MidiFile& file)
        : file(file)
    {
    }

    double secondsAt(uint64_t tick)
    {
        if (file.ticksPerSecond > 0.0)
            return std::min(static_cast<double>(tick) / file.ticksPerSecond, longestSong);
        const auto& changes = file.tempoChanges;
        while (next < changes.size() && changes[next].tick <= tick) {
            segmentSeconds += secondsBetween(segmentTick, changes[next].tick);
            segmentTick = changes[next].tick;
            tempo = changes[next].microsecondsPerQuarter;
            ++next;
        }
        return std::min(segmentSeconds + secondsBetween(segmentTick, tick), longestSong);
    }

private:
    double secondsBetween(uint64_t from, uint64_t to) const
    {
        return static_cast<double>(to - from) * tempo / 1e6 / file.ticksPerQuarter;
    }

    const MidiFile& file;
    size_t next = 0;
    uint64_t segmentTick = 0;
    double segmentSeconds = 0.0;
    uint32_t tempo = defaultTempo;
};

} // namespace

SongSchedule::SongSchedule(const MidiFile& file, double sampleRate)
    : rate(sampleRate > 0.0 ? sampleRate : 44100.0)
{
    auto frameOf = [this](double seconds) { return static_cast<int64_t>(std::llround(seconds * rate)); };

    if (file.ticksPerQuarter > 0) {
        TickClock clock(file);
        for (const TempoChange& change : file.tempoChanges) {
            const double quarterNotes = static_cast<double>(change.tick) / file.ticksPerQuarter;
            segments.push_back(TempoSegment{
                frameOf(clock.secondsAt(change.tick)), quarterNotes, 60e6 / change.microsecondsPerQuarter});
        }
    }

    TickClock clock(file);
    scheduled.reserve(file.events.size());
    for (const MidiFileEvent& event : file.events) {
        ScheduledMidi midi;
        midi.frame = frameOf(clock.secondsAt(event.tick));
        std::copy(event.bytes, event.bytes + 3, midi.bytes);
        midi.size = event.size;
        scheduled.push_back(midi);
    }
    length = frameOf(clock.secondsAt(std::max(file.endTick, file.events.empty() ? 0 : file.events.back().tick)));
    if (!scheduled.empty())
        length = std::max(length, scheduled.back().frame + 1);
    layOutBars(file);
}

void SongSchedule::layOutBars(const MidiFile& file)
{
    const uint64_t lastEvent = file.events.empty() ? 0 : file.events.back().tick;
    const auto& signatures = file.timeSignatures;
    std::vector<std::pair<uint64_t, TimeSignature>> starts;
    TimeSignature signature;
    size_t next = 0;
    uint64_t tick = 0;
    for (;;) {
        while (file.ticksPerQuarter > 0 && next < signatures.size() && signatures[next].tick <= tick)
            signature = signatures[next++];
        starts.emplace_back(tick, signature);
        const double barTicks = file.ticksPerQuarter > 0
            ? static_cast<double>(signature.numerator) * file.ticksPerQuarter * 4.0 / signature.denominator
            : file.ticksPerSecond * smpteBarSeconds;
        uint64_t nextTick = tick + std::max<uint64_t>(static_cast<uint64_t>(barTicks), 1);
        // A signature inside a bar starts a new bar where it stands.
        if (file.ticksPerQuarter > 0 && next < signatures.size() && signatures[next].tick < nextTick)
            nextTick = signatures[next].tick;
        // A bar begins at the song's end only for an event standing there.
        if ((nextTick >= file.endTick && nextTick > lastEvent) || starts.size() >= mostBars)
            break;
        tick = nextTick;
    }

    TickClock clock(file);
    bars.clear();
    for (const auto& start : starts)
        bars.push_back(Bar{static_cast<int64_t>(std::llround(clock.secondsAt(start.first) * rate)), start.second});
}

int SongSchedule::barAt(int64_t frame) const
{
    auto after =
        std::upper_bound(bars.begin(), bars.end(), frame, [](int64_t f, const Bar& bar) { return f < bar.frame; });
    return after == bars.begin() ? 1 : static_cast<int>(after - bars.begin());
}

int64_t SongSchedule::barStartFrame(int bar) const
{
    return bars[static_cast<size_t>(std::clamp(bar, 1, barCount()) - 1)].frame;
}

int64_t SongSchedule::barEndFrame(int bar) const
{
    return bar >= 1 && bar < barCount() ? bars[static_cast<size_t>(bar)].frame : length;
}

const TimeSignature& SongSchedule::timeSignatureAt(int64_t frame) const
{
    return bars[static_cast<size_t>(barAt(frame) - 1)].signature;
}

const SongSchedule::TempoSegment& SongSchedule::segmentAt(int64_t frame) const
{
    // The last segment starting at or before the frame; equal starts: the later change wins.
    auto after = std::upper_bound(segments.begin(), segments.end(), frame,
        [](int64_t f, const TempoSegment& segment) { return f < segment.frame; });
    return after == segments.begin() ? segments.front() : *(after - 1);
}

double SongSchedule::tempoAt(int64_t frame) const
{
    return segmentAt(frame).beatsPerMinute;
}

double SongSchedule::quarterNotesAt(int64_t frame) const
{
    const TempoSegment& segment = segmentAt(frame);
    return segment.quarterNotes + static_cast<double>(frame - segment.frame) / rate * segment.beatsPerMinute / 60.0;
}
