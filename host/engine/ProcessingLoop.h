#pragma once
// The host's processing thread: one block of frames at a time, paced by the
// clock as an audio device would pace it (512 frames at 44.1 kHz every
// 11.6 ms). Each block takes the pending commands, lets the transport lay
// out its MIDI and hands it to a sink, which talks to the plug-in.
#include "framework/Vst2Abi.h"
#include "host/engine/HostCommandQueue.h"
#include "host/engine/Transport.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

class ProcessingLoop {
public:
    // Called on the processing thread for every block. `events` is null when
    // the block holds nothing for the plug-in (no MIDI, no transport change):
    // the sink then hands the plug-in a block without events.
    using BlockSink = std::function<void(VstEvents* events, const VstTimeInfo& time, int32_t frames)>;

    ProcessingLoop(
        Transport& transport, HostCommandQueue& commands, BlockSink sink, int32_t blockSize, double sampleRate);
    ~ProcessingLoop();

    ProcessingLoop(const ProcessingLoop&) = delete;
    ProcessingLoop& operator=(const ProcessingLoop&) = delete;

    // Starts the paced thread; stop (or the destructor) ends it after its current block.
    void start();
    void stop();
    bool running() const { return thread.joinable(); }

    // One block at once, on the calling thread; what the paced thread runs.
    // An offline render calls it with the thread stopped, with `frames` up to
    // the block size (0: a whole block).
    void runBlock(int32_t frames = 0);

private:
    VstEvents* layOutBlock();
    void run();

    Transport& transport;
    HostCommandQueue& commands;
    BlockSink sink;
    int32_t blockSize;
    double sampleRate;

    std::vector<HostCommand> taken;
    std::vector<VstMidiEvent> midiEvents;
    std::vector<unsigned char> blockStorage;
    VstTimeInfo time{};

    std::thread thread;
    std::atomic<bool> stopping{false};
};
