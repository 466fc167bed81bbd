#pragma once
// The host's transport, run on its processing thread: where the song stands,
// whether it plays, and the layout of each block of MIDI handed to the
// plug-in. The time info of a block has the transport-changed bit set when
// playback starts, stops, loops back (to the beginning or to the first bar of
// a bar loop) or is told to jump, and when the set of channels the plug-in
// hears changes, so the plug-in can forget the notes it holds.
//
// A learner's settings shape the playing: the song's clock runs at a
// percentage of its own tempo, only the expected channels reach the plug-in
// (every channel reaches the MIDI output), a bar loop repeats some bars, and
// in wait mode the song stands still at each expected chord until the player
// has played it on channel 16. Standing still means: everything up to and
// including the awaited chord has been sent, notes already sounding go on
// sounding, and nothing later is sent until the chord is answered.
#include "framework/Vst2Abi.h"
#include "host/engine/HostCommandQueue.h"
#include "host/engine/PlayerWait.h"
#include "host/engine/PracticeSettings.h"
#include "host/engine/SongOutput.h"
#include "host/engine/SongSchedule.h"

#include <atomic>
#include <cstdint>
#include <vector>

// Expected note-ons this close after the first (in the song's own time) are
// one chord to a waiting song: played chords are rarely struck at one instant.
constexpr double chordSeconds = 0.03;

class Transport {
public:
    // `song` may be null (live input only); it must outlive the transport.
    Transport(const SongSchedule* song, int32_t blockSize, double sampleRate, bool loop);

    // Before processing starts. Either may be null (the song's own tempo,
    // every channel, no waiting; silence). Both must outlive the transport.
    void practiseWith(const PracticeSettings* settings);
    void playTo(MidiOutput* output);

    // Processing thread: applies the commands taken for this block, in order,
    // then lays the block out: live messages first at deltaFrames 0, then the
    // song's messages that fall inside the block, at their offset in it.
    // `frames` shortens the block (an offline render ends blocks where its
    // video frames fall); 0 or anything beyond the block size means a whole block.
    void nextBlock(const std::vector<HostCommand>& commands, std::vector<VstMidiEvent>& events, VstTimeInfo& time,
        int32_t frames = 0);
    // Processing thread, after nextBlock: the song's bar (from 1) of every
    // event of the block; live messages count in the bar where the song stands.
    const std::vector<int>& eventBars() const { return bars; }

    // Any thread.
    bool isPlaying() const { return playing.load(std::memory_order_relaxed); }
    // How often the song has reached its end; every pass of a loop counts.
    uint32_t songEnds() const { return ends.load(std::memory_order_relaxed); }
    const PlayerWait& playerWait() const { return wait; }
    // The bar (from 1) where the song stood after the last block.
    int songBar() const { return standingBar.load(std::memory_order_relaxed); }

private:
    struct BlockSettings {
        int playAs = 0;
        uint32_t expectedChannels = allChannels;
        double speed = 1.0;
        uint32_t loopBars = 0;
        bool waitForPlayer = false;
    };

    void readSettings(bool& changed);
    void apply(const HostCommand& command, std::vector<VstMidiEvent>& events, bool& changed);
    void addSongEvents(std::vector<VstMidiEvent>& events, int32_t frames);
    void startWait(std::vector<VstMidiEvent>& events, int64_t stop);
    void emit(const ScheduledMidi& midi, std::vector<VstMidiEvent>& events);
    bool isExpectedNoteOn(const ScheduledMidi& midi) const;
    void fillTime(VstTimeInfo& time, bool changed) const;
    void reachEnd();
    void moveTo(int64_t frame);
    int64_t loopStart() const;
    int64_t loopEnd() const;
    int currentBar() const;

    const SongSchedule* song;
    int32_t blockSize;
    double sampleRate;
    bool loop;
    const PracticeSettings* settings = nullptr;
    SongOutput output;
    PlayerWait wait;

    BlockSettings current;
    bool settingsRead = false;
    // In the song's own frames, which run `speed` times as fast as the host's.
    double position = 0.0;
    size_t nextEvent = 0;
    bool changePending = false;
    std::vector<int> bars;
    std::atomic<bool> playing{false};
    std::atomic<uint32_t> ends{0};
    std::atomic<int> standingBar{1};
};
