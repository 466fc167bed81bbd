#pragma once
// The host side of the stress tests: a callback that several threads may call
// at once, and a processing thread that plays hostile event blocks into an
// effect (effProcessEvents through its dispatcher entry) until stopped, as a
// host's audio thread does while its user-interface thread works the editor.
#include "framework/Vst2Abi.h"

#include <atomic>
#include <cstdint>
#include <thread>

// Answers VST 2.4 to audioMasterVersion and, on the processing thread, the
// time info that the current block asks for; everything else 0.
intptr_t VSTCALLBACK stressHostCallback(
    AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

// The names of programs 0..4, as effGetProgramName answers them.
extern const char* const programNames[5];

// How often any effect asked for MIDI (audioMasterWantMidi).
int stressHostWantMidiCount();

class ProcessingThread {
public:
    // With `changePrograms`, every block is preceded by an effSetProgram of a
    // program -1..5 drawn from the seed (-1 and 5 are not programs), as hosts
    // send program changes from automation or MIDI on this thread.
    ProcessingThread(AEffect* effect, uint32_t seed, bool changePrograms = false);
    ~ProcessingThread();

    ProcessingThread(const ProcessingThread&) = delete;
    ProcessingThread& operator=(const ProcessingThread&) = delete;

    // Blocks the caller until at least `count` blocks were sent.
    void waitForBlocks(int count) const;
    // Finishes the block in flight and joins the thread; harmless twice.
    void stop();
    int blocksSent() const { return sent.load(); }
    // The last of programs 0..4 this thread chose, or -1.
    int lastProgramChosen() const { return lastProgram.load(); }

private:
    void run(uint32_t seed);

    AEffect* effect;
    const bool changePrograms;
    std::atomic<bool> stopping{false};
    std::atomic<int> sent{0};
    std::atomic<int> lastProgram{-1};
    std::thread thread;
};

// Plays an empty block whose time info reports a transport change into
// `effect`, on the calling thread: afterwards every note is silent.
void sendTransportChange(AEffect* effect);

// Every note-table entry holds what MIDI intake can write: velocities 0..127,
// scoring states 0..7, and nothing at all above note 127.
void expectNoteTableSane();
