// MIDI intake as a host drives it: effProcessEvents through the dispatcher
// entry of the plug-in's AEffect record, with blocks of mixed note events on
// all channels. Reports nanoseconds per event and heap allocations per block.
#include "benchmarks/AllocationCounter.h"
#include "tests/support/PlainEditor.h"
#include "benchmarks/BenchmarkHost.h"
#include "benchmarks/MixedBlock.h"
#include "state/PracticeState.h"
#include "formats/vst2/VstEntry.h"

#include <benchmark/benchmark.h>

namespace {

void processEvents(benchmark::State& state)
{
    const int eventCount = static_cast<int>(state.range(0));
    practice.practiceMode = state.range(1) != 0;

    AEffect* effect = vstMain(benchmarkHost, createPlainEditor);
    MidiBlock block = mixedBlock(eventCount);
    VstEvents* events = block.events();

    const uint64_t allocationsBefore = heapAllocations();
    for (auto _ : state)
        benchmark::DoNotOptimize(effect->dispatcher(effect, effProcessEvents, 0, 0, events, 0));
    const uint64_t allocations = heapAllocations() - allocationsBefore;

    state.SetItemsProcessed(state.iterations() * eventCount);
    state.counters["ns_per_event"] = benchmark::Counter(static_cast<double>(state.iterations()) * eventCount,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["allocs_per_block"] = static_cast<double>(allocations) / static_cast<double>(state.iterations());

    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0);
    practice.practiceMode = false;
}

BENCHMARK(processEvents)->ArgNames({"events", "practice"})->ArgsProduct({{64, 1024}, {0, 1}});

} // namespace

BENCHMARK_MAIN();
