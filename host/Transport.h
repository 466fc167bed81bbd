#pragma once
// The host's transport, run on its processing thread: where the song stands,
// whether it plays, and the layout of each block of MIDI handed to the
// plug-in. The time info of a block has the transport-changed bit set when
// playback starts, stops, loops back to the beginning or is told to jump, so
// the plug-in can forget the notes it holds.
#include "framework/Vst2Abi.h"
#include "host/HostCommandQueue.h"
#include "host/SongSchedule.h"

#include <atomic>
#include <cstdint>
#include <vector>

// VstTimeInfo flag bits besides kVstTransportChanged.
constexpr int32_t kVstTransportPlaying = 1 << 1;
constexpr int32_t kVstPpqPosValid = 1 << 9;
constexpr int32_t kVstTempoValid = 1 << 10;
constexpr int32_t kVstTimeSigValid = 1 << 13;

class Transport {
public:
    // `song` may be null (live input only); it must outlive the transport.
    Transport(const SongSchedule* song, int32_t blockSize, double sampleRate, bool loop);

    // Processing thread: applies the commands taken for this block, in order,
    // then lays the block out: live messages first at deltaFrames 0, then the
    // song's messages that fall inside the block, at their offset in it.
    // `frames` shortens the block (an offline render ends blocks where its
    // video frames fall); 0 or anything beyond the block size means a whole block.
    void nextBlock(const std::vector<HostCommand>& commands, std::vector<VstMidiEvent>& events, VstTimeInfo& time,
        int32_t frames = 0);

    // Any thread.
    bool isPlaying() const { return playing.load(std::memory_order_relaxed); }
    // How often the song has reached its end; every pass of a loop counts.
    uint32_t songEnds() const { return ends.load(std::memory_order_relaxed); }

private:
    void apply(const HostCommand& command, std::vector<VstMidiEvent>& events, bool& changed);
    void addSongEvents(std::vector<VstMidiEvent>& events, int32_t frames);
    void fillTime(VstTimeInfo& time, bool changed) const;
    void advance(int32_t frames);

    const SongSchedule* song;
    int32_t blockSize;
    double sampleRate;
    bool loop;

    int64_t position = 0;
    size_t nextEvent = 0;
    bool changePending = false;
    std::atomic<bool> playing{false};
    std::atomic<uint32_t> ends{0};
};
