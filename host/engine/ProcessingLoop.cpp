#include "host/engine/ProcessingLoop.h"

#include <chrono>

ProcessingLoop::ProcessingLoop(
    Transport& transport, HostCommandQueue& commands, BlockSink sink, int32_t blockSize, double sampleRate)
    : transport(transport)
    , commands(commands)
    , sink(std::move(sink))
    , blockSize(blockSize > 0 ? blockSize : 512)
    , sampleRate(sampleRate > 0.0 ? sampleRate : 44100.0)
{
}

ProcessingLoop::~ProcessingLoop()
{
    stop();
}

void ProcessingLoop::start()
{
    if (thread.joinable())
        return;
    stopping.store(false);
    thread = std::thread([this] { run(); });
}

void ProcessingLoop::stop()
{
    stopping.store(true);
    if (thread.joinable())
        thread.join();
}

void ProcessingLoop::runBlock(int32_t frames)
{
    const int32_t length = frames > 0 && frames < blockSize ? frames : blockSize;
    taken.clear();
    commands.takeAll(taken);
    transport.nextBlock(taken, midiEvents, time, length);

    VstEvents* events = nullptr;
    if (!midiEvents.empty() || (time.flags & kVstTransportChanged))
        events = layOutBlock();
    if (sink)
        sink(events, time, length);
    if (!taken.empty())
        commands.markDone(taken.back().ticket);
}

VstEvents* ProcessingLoop::layOutBlock()
{
    // The record declares room for two pointers; a host allocates as many as it sends.
    const size_t pointers = midiEvents.size() > 2 ? midiEvents.size() : 2;
    blockStorage.assign(sizeof(VstEvents) + (pointers - 2) * sizeof(VstEvent*), 0);
    auto* block = reinterpret_cast<VstEvents*>(blockStorage.data());
    block->numEvents = static_cast<int32_t>(midiEvents.size());
    VstEvent** list = block->events;
    for (size_t i = 0; i < midiEvents.size(); ++i)
        list[i] = reinterpret_cast<VstEvent*>(&midiEvents[i]);
    return block;
}

void ProcessingLoop::run()
{
    using Clock = std::chrono::steady_clock;
    const std::chrono::duration<double> blockTime(blockSize / sampleRate);
    Clock::time_point start = Clock::now();
    int64_t blocks = 0;
    while (!stopping.load()) {
        runBlock();
        ++blocks;
        const auto due = start + std::chrono::duration_cast<Clock::duration>(blockTime * static_cast<double>(blocks));
        const Clock::time_point now = Clock::now();
        if (now - due > std::chrono::seconds(1)) {
            // Far behind (a suspended machine, a debugger): carry on from now
            // rather than rushing the missed blocks through.
            start = now;
            blocks = 0;
        } else {
            std::this_thread::sleep_until(due);
        }
    }
}
