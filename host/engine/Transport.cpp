#include "host/engine/Transport.h"

#include <algorithm>
#include <cmath>

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

bool isNoteOn(const uint8_t* bytes, uint8_t size)
{
    return size == 3 && (bytes[0] & 0xF0) == 0x90 && bytes[2] > 0;
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

void Transport::practiseWith(const PracticeSettings* newSettings)
{
    settings = newSettings;
}

void Transport::playTo(MidiOutput* newOutput)
{
    output.connect(newOutput);
}

void Transport::nextBlock(
    const std::vector<HostCommand>& commands, std::vector<VstMidiEvent>& events, VstTimeInfo& time, int32_t frames)
{
    const int32_t length = frames > 0 && frames < blockSize ? frames : blockSize;
    events.clear();
    bars.clear();
    bool changed = changePending;
    changePending = false;
    readSettings(changed);
    for (const HostCommand& command : commands)
        apply(command, events, changed);

    fillTime(time, changed);
    if (isPlaying())
        addSongEvents(events, length);
    standingBar.store(currentBar(), std::memory_order_relaxed);
}

void Transport::readSettings(bool& changed)
{
    if (!settings)
        return;
    const BlockSettings previous = current;
    current.playAs = settings->playAs.load(std::memory_order_relaxed);
    current.expectedChannels = settings->expectedChannels.load(std::memory_order_relaxed);
    current.speed =
        std::clamp(settings->tempoPercent.load(std::memory_order_relaxed), lowestTempoPercent, highestTempoPercent) /
        100.0;
    current.loopBars = song ? settings->loopBars.load(std::memory_order_relaxed) : 0;
    current.waitForPlayer = settings->waitForPlayer.load(std::memory_order_relaxed);
    if (!settingsRead) {
        settingsRead = true;
        return;
    }

    // Notes of a channel the plug-in no longer hears would never end there.
    if (current.playAs != previous.playAs || current.expectedChannels != previous.expectedChannels)
        changed = true;
    if (!current.waitForPlayer)
        wait.cancel();
    if (current.loopBars != previous.loopBars && isPlaying() &&
        (position < static_cast<double>(loopStart()) || position >= static_cast<double>(loopEnd()))) {
        output.silence();
        moveTo(loopStart());
        changed = true;
    }
}

void Transport::apply(const HostCommand& command, std::vector<VstMidiEvent>& events, bool& changed)
{
    switch (command.kind) {
    case HostCommandKind::Midi:
        events.push_back(midiEvent(command.bytes, command.size, 0));
        bars.push_back(currentBar());
        if (isNoteOn(command.bytes, command.size) && (command.bytes[0] & 0x0F) + 1 == playerChannel)
            wait.notePlayed(command.bytes[1]);
        break;
    case HostCommandKind::Play:
        output.silence();
        moveTo(loopStart());
        playing.store(song && song->lengthFrames() > 0, std::memory_order_relaxed);
        changed = true;
        break;
    case HostCommandKind::Stop:
        output.silence();
        wait.cancel();
        playing.store(false, std::memory_order_relaxed);
        changed = true;
        break;
    case HostCommandKind::Jump: changed = true; break;
    case HostCommandKind::Block: break;
    }
}

void Transport::addSongEvents(std::vector<VstMidiEvent>& events, int32_t frames)
{
    if (wait.isWaiting()) {
        if (!wait.isAnswered())
            return; // the song stands still
        wait.cancel();
    }
    const auto& scheduled = song->events();
    const double end = position + frames * current.speed;
    const int64_t stop = loopEnd();
    while (nextEvent < scheduled.size() && static_cast<double>(scheduled[nextEvent].frame) < end &&
        scheduled[nextEvent].frame < stop) {
        if (current.waitForPlayer && isExpectedNoteOn(scheduled[nextEvent])) {
            startWait(events, stop);
            return;
        }
        emit(scheduled[nextEvent++], events);
    }
    position = end;
    if (position >= static_cast<double>(stop))
        reachEnd();
}

void Transport::startWait(std::vector<VstMidiEvent>& events, int64_t stop)
{
    const auto& scheduled = song->events();
    const int64_t first = scheduled[nextEvent].frame;
    const int64_t window = std::llround(chordSeconds * song->sampleRate());
    uint32_t chord[4] = {};
    int64_t last = first;
    for (size_t i = nextEvent; i < scheduled.size() && scheduled[i].frame < stop && scheduled[i].frame - first < window;
         ++i) {
        if (isExpectedNoteOn(scheduled[i])) {
            const int note = scheduled[i].bytes[1] & 0x7F;
            chord[note >> 5] |= 1u << (note & 31);
            last = scheduled[i].frame;
        }
    }
    while (nextEvent < scheduled.size() && scheduled[nextEvent].frame <= last)
        emit(scheduled[nextEvent++], events);
    position = static_cast<double>(last);
    wait.begin(chord);
}

void Transport::emit(const ScheduledMidi& midi, std::vector<VstMidiEvent>& events)
{
    output.send(midi.bytes, midi.size);
    if (!songMessageReachesPlugin(midi.bytes[0], current.expectedChannels, current.playAs))
        return;
    const double offset = std::floor((static_cast<double>(midi.frame) - position) / current.speed);
    const auto delta = static_cast<int32_t>(std::clamp(offset, 0.0, static_cast<double>(blockSize - 1)));
    events.push_back(midiEvent(midi.bytes, midi.size, delta));
    bars.push_back(song->barAt(midi.frame));
}

bool Transport::isExpectedNoteOn(const ScheduledMidi& midi) const
{
    return isNoteOn(midi.bytes, midi.size) && (midi.bytes[0] & 0x0F) + 1 != playerChannel &&
        songMessageReachesPlugin(midi.bytes[0], current.expectedChannels, current.playAs);
}

void Transport::reachEnd()
{
    ends.fetch_add(1, std::memory_order_relaxed);
    changePending = true;
    output.silence();
    wait.cancel();
    if (loop || current.loopBars != 0)
        moveTo(loopStart());
    else
        playing.store(false, std::memory_order_relaxed);
}

void Transport::moveTo(int64_t frame)
{
    position = static_cast<double>(frame);
    wait.cancel();
    if (!song)
        return;
    const auto& scheduled = song->events();
    nextEvent = static_cast<size_t>(std::lower_bound(scheduled.begin(), scheduled.end(), frame,
                                        [](const ScheduledMidi& midi, int64_t f) { return midi.frame < f; }) -
        scheduled.begin());
}

int64_t Transport::loopStart() const
{
    if (!song || current.loopBars == 0)
        return 0;
    return song->barStartFrame(static_cast<int>(current.loopBars >> 16));
}

int64_t Transport::loopEnd() const
{
    if (!song)
        return 0;
    if (current.loopBars == 0)
        return song->lengthFrames();
    return song->barEndFrame(std::min(static_cast<int>(current.loopBars & 0xFFFF), song->barCount()));
}

int Transport::currentBar() const
{
    return song ? song->barAt(static_cast<int64_t>(position)) : 1;
}

void Transport::fillTime(VstTimeInfo& time, bool changed) const
{
    const auto frame = static_cast<int64_t>(position);
    time = VstTimeInfo{};
    time.samplePos = position / current.speed;
    time.sampleRate = sampleRate;
    time.tempo = (song ? song->tempoAt(frame) : 120.0) * current.speed;
    time.ppqPos = song ? song->quarterNotesAt(frame) : 0.0;
    const TimeSignature signature = song ? song->timeSignatureAt(frame) : TimeSignature{};
    time.timeSigNumerator = signature.numerator;
    time.timeSigDenominator = signature.denominator;
    time.flags = kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid;
    if (isPlaying())
        time.flags |= kVstTransportPlaying;
    if (changed)
        time.flags |= kVstTransportChanged;
}
