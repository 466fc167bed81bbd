#include "benchmarks/ChordBlock.h"
#include "benchmarks/MixedBlock.h"
#include "benchmarks/win32/DllFigures.h"
#include "tests/support/Win32Window.h"

#include <cstdio>

namespace {

constexpr int programCount = 5;
constexpr int frameRounds = 40;
constexpr int stageRounds = 20;

void showProgram(AEffect* effect, int program)
{
    dispatch(effect, effSetProgram, program);
    const int frames = dllCalls.framesShown;
    for (int i = 0; i < 1000 && dllCalls.framesShown == frames; ++i) {
        pumpMessages();
        dispatch(effect, effEditIdle);
    }
}

// One block, then the idle that draws its frame; answers the idle's time, or
// a negative time when the idle drew anything but exactly one frame. The
// messages a block may post are handled outside the timing.
double frameAfterBlock(AEffect* effect, int round)
{
    MidiBlock block = chordBlock(round % 2 == 0);
    dispatch(effect, effProcessEvents, 0, block.events());
    const int frames = dllCalls.framesShown;
    const double start = nowMs();
    dispatch(effect, effEditIdle);
    const double elapsed = nowMs() - start;
    const bool oneFrame = dllCalls.framesShown == frames + 1;
    pumpMessages();
    return oneFrame ? elapsed : -1.0;
}

} // namespace

void printFrameFigures(AEffect* effect, TestWindow& window)
{
    openEditor(effect, window);
    for (int program = 0; program < programCount; ++program) {
        showProgram(effect, program);
        std::vector<double> times;
        int strayFrames = 0;
        for (int round = 0; round < frameRounds; ++round) {
            const double elapsed = frameAfterBlock(effect, round);
            if (elapsed < 0)
                ++strayFrames;
            else
                times.push_back(elapsed);
        }
        std::printf("idle that draws one frame after a MIDI block, program %d: %.3f ms", program,
            times.empty() ? 0.0 : median(times));
        if (strayFrames)
            std::printf(" (%d idles did not draw exactly one frame)", strayFrames);
        std::printf("\n");

        dllCalls.timeStages = true;
        const DllCalls before = dllCalls;
        for (int round = 0; round < stageRounds; ++round)
            frameAfterBlock(effect, round);
        dllCalls.timeStages = false;
        const double n = stageRounds;
        std::printf("frame stages, program %d (each finished before the next): clear %.3f ms, case %.3f ms, "
                    "keys %.3f ms, swap %.3f ms, read-back %.3f ms\n",
            program, (dllCalls.clearMs - before.clearMs) / n, (dllCalls.caseMs - before.caseMs) / n,
            (dllCalls.keysMs - before.keysMs) / n, (dllCalls.swapMs - before.swapMs) / n,
            (dllCalls.readBackMs - before.readBackMs) / n);
    }
    showProgram(effect, 3);
    closeEditor(effect, window);
}
