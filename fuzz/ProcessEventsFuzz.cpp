// effProcessEvents with arbitrary event blocks, the practice mode and rule
// chosen by the input, and the host's time info present or not, with or
// without a transport change. After every block the note table holds only
// what MIDI intake can write, and the practice totals moved no further than
// the events in the block can move them.
#include "fuzz/EventBlockInput.h"
#include "tests/support/PlainEditor.h"
#include "fuzz/FuzzHost.h"
#include "state/NoteTable.h"
#include "state/PracticeState.h"
#include "formats/vst2/VstEntry.h"
#include "tests/support/PluginStateReset.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

AEffect* effect()
{
    static AEffect* const instance = vstMain(fuzzHost, createPlainEditor);
    return instance;
}

void checkNoteTable()
{
    for (int i = 0; i < noteTableSize; ++i) {
        const int32_t velocity = noteTable.entries[i].velocity.load();
        const int32_t state = noteTable.entries[i].scoreState.load();
        check(velocity >= 0 && velocity <= 127);
        check(state >= 0 && state <= 7);
        if (i + lowestTabledNote > 127)
            check(velocity == 0 && state == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    AEffect* plugin = effect();
    check(plugin != nullptr);

    resetPluginState();
    practice.practiceMode = input.ConsumeBool();
    practice.scoringRule = input.ConsumeIntegralInRange<int32_t>(-2, 3); // 0 and 1 are the rules

    VstTimeInfo time{};
    EventBlockInput blocks;
    while (input.remaining_bytes() > 0) {
        time.flags = input.ConsumeIntegral<int32_t>();
        setFuzzHostTime(input.ConsumeBool() ? &time : nullptr);
        const bool nullBlock = input.ConsumeIntegralInRange<int>(0, 31) == 0;
        VstEvents* block = nullBlock ? nullptr : blocks.read(input);
        const int32_t scoreBefore = practice.practiceScore;
        const int32_t maximumBefore = practice.practiceMaximum;

        check(plugin->dispatcher(plugin, effProcessEvents, 0, 0, block, 0.0f) == 1);

        checkNoteTable();
        // Each event earns between -4 and +2 points and raises the maximum by 0 or 2.
        const int64_t events = nullBlock ? 0 : blocks.recordCount();
        const int64_t scoreChange = int64_t{practice.practiceScore} - scoreBefore;
        const int64_t maximumChange = int64_t{practice.practiceMaximum} - maximumBefore;
        check(scoreChange >= -4 * events && scoreChange <= 2 * events);
        check(maximumChange >= 0 && maximumChange <= 2 * events);
        if (!practice.practiceMode)
            check(scoreChange == 0 && maximumChange == 0);
    }
    setFuzzHostTime(nullptr);
    return 0;
}
