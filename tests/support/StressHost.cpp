#include "tests/support/StressHost.h"

#include "state/NoteTable.h"
#include "tests/support/HostileBlocks.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The time info belongs to the thread that asks for it, as a host's does to
// its audio thread; what it reports is set just before each block.
thread_local VstTimeInfo timeInfo{};
thread_local bool timeMissing = false;

std::atomic<int> wantMidiCount{0};

intptr_t dispatch(AEffect* effect, int32_t opcode, intptr_t value = 0, void* ptr = nullptr)
{
    return effect->dispatcher(effect, opcode, 0, value, ptr, 0.0f);
}

} // namespace

const char* const programNames[5] = {
    "Piano (37 keys)", "Piano (61 keys)", "Piano (76 keys)", "Piano (88 keys)", "Flute"};

intptr_t VSTCALLBACK stressHostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    switch (opcode) {
    case audioMasterVersion: return 2400;
    case audioMasterWantMidi: ++wantMidiCount; return 1;
    case audioMasterGetTime: return timeMissing ? 0 : reinterpret_cast<intptr_t>(&timeInfo);
    default: return 0;
    }
}

int stressHostWantMidiCount()
{
    return wantMidiCount.load();
}

ProcessingThread::ProcessingThread(AEffect* effect, uint32_t seed, bool changePrograms)
    : effect(effect)
    , changePrograms(changePrograms)
{
    thread = std::thread([this, seed] { run(seed); });
}

ProcessingThread::~ProcessingThread()
{
    stop();
}

void ProcessingThread::run(uint32_t seed)
{
    HostileBlocks blocks(seed);
    std::minstd_rand programs(seed);
    timeInfo.sampleRate = 44100.0;
    timeInfo.tempo = 120.0;
    while (!stopping.load()) {
        if (changePrograms) {
            const int program = static_cast<int>(programs() % 7) - 1;
            dispatch(effect, effSetProgram, program);
            if (program >= 0 && program < 5)
                lastProgram = program;
        }
        const HostileBlock block = blocks.next();
        timeInfo.flags = block.transportChanged ? kVstTransportChanged : 0;
        timeInfo.samplePos += 512.0;
        timeMissing = block.withoutTime;
        dispatch(effect, effProcessEvents, 0, block.events);
        ++sent;
    }
}

void ProcessingThread::waitForBlocks(int count) const
{
    while (sent.load() < count && thread.joinable())
        std::this_thread::yield();
}

void ProcessingThread::stop()
{
    stopping = true;
    if (thread.joinable())
        thread.join();
}

void sendTransportChange(AEffect* effect)
{
    VstEvents empty{};
    timeMissing = false;
    timeInfo.flags = kVstTransportChanged;
    dispatch(effect, effProcessEvents, 0, &empty);
    timeInfo.flags = 0;
}

void expectNoteTableSane()
{
    for (int i = 0; i < noteTableSize; ++i) {
        const int velocity = noteTable.entries[i].velocity.load();
        const int state = noteTable.entries[i].scoreState.load();
        EXPECT_TRUE(velocity >= 0 && velocity <= 127) << "entry " << i << " velocity " << velocity;
        EXPECT_TRUE(state >= 0 && state <= 7) << "entry " << i << " state " << state;
        if (i + lowestTabledNote > 127) {
            EXPECT_EQ(velocity, 0) << "entry " << i;
            EXPECT_EQ(state, 0) << "entry " << i;
        }
    }
}
