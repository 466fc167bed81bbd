// The 3-D view drawn off-screen at 600 x 400, as the editor's idle drives it:
// milliseconds per frame for each program (median over all frames, the GL
// work finished before the clock stops), and the cost of an idle pump with
// nothing to redraw, which must draw no frame at all.
#include "glut/glut.h"
#include "view3d/ModelSwap.h"
#include "state/NoteTable.h"
#include "core/Programs.h"
#include "state/RedrawRequest.h"
#include "tests/support/PluginStateReset.h"
#include "view3d/GlView.h"
#include "view3d/InstrumentModel.h"
#include "view3d/ViewState.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

// Rendering on llvmpipe runs behind the caller; a frame counts once it is done.
void displayAndFinish()
{
    displayView();
    glFinish();
}

// The view open off-screen on one program's model, with a chord held and the
// held keys shown coloured and moved.
class OpenView {
public:
    explicit OpenView(int program)
        : model(buildProgramModel(program))
    {
        resetPluginState();
        currentModel = model.get();
        viewState.showKeyColour = true;
        viewState.showKeyMotion = true;
        for (int midiNote : {60, 64, 67, 72})
            noteTable.entries[midiNote - 12].velocity = 100;
        openView(nullptr);
        glutDisplayFunc(displayAndFinish);
        idleView(); // the first frame also compiles the display list
    }
    ~OpenView()
    {
        closeView();
        currentModel = nullptr;
        resetPluginState();
    }
    int framesDrawn() const { return glutQarnDisplayCount(viewWindow.viewWindowId); }

private:
    std::unique_ptr<InstrumentModel> model;
};

void frame(benchmark::State& state)
{
    OpenView view(static_cast<int>(state.range(0)));
    std::vector<double> milliseconds;
    milliseconds.reserve(4096);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        requestRedisplay();
        idleView();
        const auto stop = std::chrono::steady_clock::now();
        milliseconds.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    std::nth_element(milliseconds.begin(), milliseconds.begin() + milliseconds.size() / 2, milliseconds.end());
    state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
    state.counters["frames"] = static_cast<double>(milliseconds.size());
    state.SetLabel(currentModel ? currentModel->getName() : "no model");
}
BENCHMARK(frame)->DenseRange(0, viewerProgramCount - 1)->MinTime(2.0)->Unit(benchmark::kMillisecond);

void idleWithNothingToDraw(benchmark::State& state)
{
    OpenView view(3);
    const int before = view.framesDrawn();
    for (auto _ : state)
        idleView();
    state.counters["frames_drawn"] = view.framesDrawn() - before;
}
BENCHMARK(idleWithNothingToDraw)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
