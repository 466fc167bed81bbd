#include "benchmarks/MixedBlock.h"
#include "benchmarks/win32/DllFigures.h"
#include "tests/support/Win32Window.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int runs = 5;
constexpr double runMs = 150.0;
// The practice button's centre on the panel.
constexpr int practiceX = 74;
constexpr int practiceY = 12;

HWND panelWindow(HWND host)
{
    for (HWND child = GetWindow(host, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (std::strncmp(name, "Plugin", 6) == 0)
            return child;
    }
    return nullptr;
}

// Practice mode is process-wide and only the panel switches it.
void pressPractice(AEffect* effect, TestWindow& window)
{
    openEditor(effect, window);
    click(panelWindow(window.handle()), WM_LBUTTONDOWN, practiceX, practiceY);
    closeEditor(effect, window);
}

double nanosecondsPerEvent(AEffect* effect, int eventCount)
{
    MidiBlock block = mixedBlock(eventCount);
    VstEvents* events = block.events();
    for (int i = 0; i < 1000; ++i)
        dispatch(effect, effProcessEvents, 0, events);
    std::vector<double> perEvent;
    for (int run = 0; run < runs; ++run) {
        long long blocks = 0;
        const double start = nowMs();
        double elapsed = 0.0;
        do {
            for (int i = 0; i < 100; ++i)
                dispatch(effect, effProcessEvents, 0, events);
            blocks += 100;
            elapsed = nowMs() - start;
        } while (elapsed < runMs);
        perEvent.push_back(elapsed * 1e6 / (static_cast<double>(blocks) * eventCount));
    }
    return median(perEvent);
}

} // namespace

void printIntakeFigures(AEffect* effect, TestWindow& window)
{
    for (const bool practiceOn : {false, true}) {
        if (practiceOn)
            pressPractice(effect, window);
        for (const int eventCount : {64, 1024}) {
            std::printf("processEvents, blocks of %d, practice %s: %.2f ns per event\n", eventCount,
                practiceOn ? "on" : "off", nanosecondsPerEvent(effect, eventCount));
        }
    }
    pressPractice(effect, window);
}
