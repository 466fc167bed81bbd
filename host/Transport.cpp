#include "host/Transport.h"

#include <algorithm>

namespace {

VstMidiEvent midiEvent(const uint8_t* bytes, uint8_t size, int32_t deltaFrames)
{
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = deltaFrames;
    for (int i = 0; i < size && i < 3; ++i)
        event.midiData[i] = static_cast<char>(bytes[i]);
    return event;
}

} // namespace

Transport::Transport(const SongSchedule* song, int32_t blockSize, double sampleRate, bool loop)
    : song(song)
    , blockSize(std::max(blockSize, 1))
    , sampleRate(sampleRate)
    // An empty song would loop on every block.
    , loop(loop && song && song->lengthFrames() > 0)
{
}

void Transport::nextBlock(
    const std::vector<HostCommand>& commands, std::vector<VstMidiEvent>& events, VstTimeInfo& time, int32_t frames)
{
    const int32_t length = frames > 0 && frames < blockSize ? frames : blockSize;
    events.clear();
    bool changed = changePending;
    changePending = false;
    for (const HostCommand& command : commands)
        apply(command, events, changed);

    fillTime(time, changed);
    if (isPlaying()) {
        addSongEvents(events, length);
        advance(length);
    }
}

void Transport::apply(const HostCommand& command, std::vector<VstMidiEvent>& events, bool& changed)
{
    switch (command.kind) {
    case HostCommandKind::Midi: events.push_back(midiEvent(command.bytes, command.size, 0)); break;
    case HostCommandKind::Play:
        position = 0;
        nextEvent = 0;
        playing.store(song && song->lengthFrames() > 0, std::memory_order_relaxed);
        changed = true;
        break;
    case HostCommandKind::Stop:
        playing.store(false, std::memory_order_relaxed);
        changed = true;
        break;
    case HostCommandKind::Jump: changed = true; break;
    }
}

void Transport::addSongEvents(std::vector<VstMidiEvent>& events, int32_t frames)
{
    const auto& scheduled = song->events();
    const int64_t end = position + frames;
    while (nextEvent < scheduled.size() && scheduled[nextEvent].frame < end) {
        const ScheduledMidi& midi = scheduled[nextEvent++];
        const int64_t delta = std::max<int64_t>(midi.frame - position, 0);
        events.push_back(midiEvent(midi.bytes, midi.size, static_cast<int32_t>(delta)));
    }
}

void Transport::advance(int32_t frames)
{
    position += frames;
    if (position < song->lengthFrames())
        return;
    ends.fetch_add(1, std::memory_order_relaxed);
    changePending = true;
    if (loop) {
        position = 0;
        nextEvent = 0;
    } else {
        playing.store(false, std::memory_order_relaxed);
    }
}

void Transport::fillTime(VstTimeInfo& time, bool changed) const
{
    time = VstTimeInfo{};
    time.samplePos = static_cast<double>(position);
    time.sampleRate = sampleRate;
    time.tempo = song ? song->tempoAt(position) : 120.0;
    time.ppqPos = song ? song->quarterNotesAt(position) : 0.0;
    time.timeSigNumerator = 4;
    time.timeSigDenominator = 4;
    time.flags = kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid;
    if (isPlaying())
        time.flags |= kVstTransportPlaying;
    if (changed)
        time.flags |= kVstTransportChanged;
}
