// Figures of the shipped DLL under Windows (or Wine), for
// scripts/bench-report.sh: how long effEditOpen takes and how long until the
// 3-D view has shown its first frame, what an editor idle with nothing to
// redraw costs (and that it draws nothing: no GL frame, no GDI drawing), and
// the process's peak working set with the editor open, and what one frame of
// the 88-key piano costs shown by a buffer swap and by a copy into a plain
// window (QARN_PRESENT), measured in turns in the same run. Loads the DLL as a
// host does and counts the DLL's own GDI and GL calls by redirecting its
// imports. Prints one "name: value" line per figure.
//
//   editor_figures.exe QarnViewer.dll
#include "framework/Vst2Abi.h"
#include "tests/lifetime/ImportHooks.h"
#include "tests/support/Win32Window.h"

#include <windows.h>
#include <GL/gl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

typedef AEffect*(VSTCALLBACK* PluginMain)(audioMasterCallback host);

constexpr int openRounds = 20;
constexpr int idleRounds = 5000;
constexpr int presentTurns = 6; // per way of presenting, alternating
constexpr int framesPerTurn = 40;

// Every frame of the view ends with glFlush, whichever way it then reaches
// the screen.
int framesShown = 0; // glFlush calls of the DLL
int gdiDrawing = 0; // GDI drawing calls of the DLL (the panel draws with no others)
int deviceContexts = 0; // device contexts the DLL obtained (GetDC, BeginPaint)

decltype(&glFlush) realGlFlush;
decltype(&BitBlt) realBitBlt;
decltype(&LineTo) realLineTo;
decltype(&FillRect) realFillRect;
decltype(&DrawTextA) realDrawTextA;
decltype(&GetDC) realGetDC;
decltype(&BeginPaint) realBeginPaint;

void WINAPI countGlFlush()
{
    ++framesShown;
    realGlFlush();
}
BOOL WINAPI countBitBlt(HDC to, int x, int y, int width, int height, HDC from, int fromX, int fromY, DWORD op)
{
    ++gdiDrawing;
    return realBitBlt(to, x, y, width, height, from, fromX, fromY, op);
}
BOOL WINAPI countLineTo(HDC dc, int x, int y)
{
    ++gdiDrawing;
    return realLineTo(dc, x, y);
}
int WINAPI countFillRect(HDC dc, const RECT* rect, HBRUSH brush)
{
    ++gdiDrawing;
    return realFillRect(dc, rect, brush);
}
int WINAPI countDrawTextA(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format)
{
    ++gdiDrawing;
    return realDrawTextA(dc, text, length, rect, format);
}
HDC WINAPI countGetDC(HWND window)
{
    ++deviceContexts;
    return realGetDC(window);
}
HDC WINAPI countBeginPaint(HWND window, PAINTSTRUCT* paint)
{
    ++deviceContexts;
    return realBeginPaint(window, paint);
}

bool hookDll(HMODULE dll)
{
    bool found = redirectImport(dll, "opengl32.dll", "glFlush", countGlFlush, realGlFlush);
    found &= redirectImport(dll, "gdi32.dll", "BitBlt", countBitBlt, realBitBlt);
    found &= redirectImport(dll, "gdi32.dll", "LineTo", countLineTo, realLineTo);
    found &= redirectImport(dll, "user32.dll", "FillRect", countFillRect, realFillRect);
    found &= redirectImport(dll, "user32.dll", "DrawTextA", countDrawTextA, realDrawTextA);
    found &= redirectImport(dll, "user32.dll", "GetDC", countGetDC, realGetDC);
    found &= redirectImport(dll, "user32.dll", "BeginPaint", countBeginPaint, realBeginPaint);
    return found;
}

intptr_t VSTCALLBACK host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

double nowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

intptr_t dispatch(AEffect* effect, int32_t opcode, intptr_t value = 0, void* ptr = nullptr)
{
    return effect->dispatcher(effect, opcode, 0, value, ptr, 0.0f);
}

struct OpenTimes {
    double open; // effEditOpen alone
    double firstFrame; // effEditOpen until the view's first frame is shown
};

// Opens the editor in `window` as a host does and idles it until the view
// has shown a frame (at most a second of idles).
OpenTimes openEditor(AEffect* effect, TestWindow& window)
{
    window.create(700, 500);
    const int frames = framesShown;
    const double start = nowMs();
    dispatch(effect, effEditOpen, 0, window.handle());
    const double opened = nowMs();
    for (int i = 0; i < 1000 && framesShown == frames; ++i) {
        pumpMessages();
        dispatch(effect, effEditIdle);
    }
    return {opened - start, nowMs() - start};
}

void closeEditor(AEffect* effect, TestWindow& window)
{
    dispatch(effect, effEditClose);
    window.destroy();
}

// Milliseconds per frame while every block of events asks for a redraw, in an
// editor opened with frames presented the given way.
double frameCost(AEffect* effect, TestWindow& window, const char* present)
{
    _putenv_s("QARN_PRESENT", present);
    openEditor(effect, window);
    VstEvents noEvents{};
    for (int i = 0; i < 5; ++i) {
        dispatch(effect, effProcessEvents, 0, &noEvents);
        dispatch(effect, effEditIdle);
    }
    const int framesBefore = framesShown;
    const double start = nowMs();
    for (int i = 0; i < framesPerTurn; ++i) {
        dispatch(effect, effProcessEvents, 0, &noEvents);
        dispatch(effect, effEditIdle);
    }
    const double elapsed = nowMs() - start;
    const int frames = framesShown - framesBefore;
    closeEditor(effect, window);
    _putenv_s("QARN_PRESENT", "");
    return frames > 0 ? elapsed / frames : 0.0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: editor_figures.exe QarnViewer.dll\n");
        return 2;
    }
    HMODULE dll = LoadLibraryA(argv[1]);
    auto pluginMain =
        dll ? reinterpret_cast<PluginMain>(reinterpret_cast<void*>(GetProcAddress(dll, "main"))) : nullptr;
    if (!pluginMain || !hookDll(dll)) {
        std::fprintf(stderr, "editor_figures: cannot load %s or find its imports\n", argv[1]);
        return 2;
    }
    AEffect* effect = pluginMain(host);
    if (!effect)
        return 2;
    dispatch(effect, effMainsChanged, 1);

    TestWindow window;
    const OpenTimes first = openEditor(effect, window);
    closeEditor(effect, window);
    std::vector<double> opens, firstFrames;
    for (int i = 0; i < openRounds; ++i) {
        const OpenTimes times = openEditor(effect, window);
        opens.push_back(times.open);
        firstFrames.push_back(times.firstFrame);
        closeEditor(effect, window);
    }
    std::printf("first editor open: %.2f ms\n", first.open);
    std::printf("first editor open to first frame: %.2f ms\n", first.firstFrame);
    std::printf("editor open (median of %d): %.2f ms\n", openRounds, median(opens));
    std::printf("editor open to first frame (median of %d): %.2f ms\n", openRounds, median(firstFrames));

    // Idles with nothing to redraw: spin off, no notes, no presses.
    openEditor(effect, window);
    for (int i = 0; i < 50; ++i) {
        pumpMessages();
        dispatch(effect, effEditIdle);
    }
    const int framesBefore = framesShown;
    const int drawingBefore = gdiDrawing;
    const int contextsBefore = deviceContexts;
    const double start = nowMs();
    for (int i = 0; i < idleRounds; ++i)
        dispatch(effect, effEditIdle);
    const double elapsed = nowMs() - start;
    std::printf("idle with nothing to redraw: %.3f us\n", 1000.0 * elapsed / idleRounds);
    std::printf("idle with nothing to redraw, frames drawn: %d\n", framesShown - framesBefore);
    std::printf("idle with nothing to redraw, GDI draws: %d\n", gdiDrawing - drawingBefore);
    std::printf("idle with nothing to redraw, device contexts obtained: %.2f per idle\n",
        static_cast<double>(deviceContexts - contextsBefore) / idleRounds);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf(
        "peak working set with the editor open: %u KiB\n", static_cast<unsigned>(memory.PeakWorkingSetSize / 1024));

    closeEditor(effect, window);

    std::vector<double> swapped, copied;
    for (int turn = 0; turn < presentTurns; ++turn) {
        swapped.push_back(frameCost(effect, window, "swap"));
        copied.push_back(frameCost(effect, window, "copy"));
    }
    const double swapMs = median(swapped);
    const double copyMs = median(copied);
    std::printf("frame of the 88-key piano, shown by a swap (median of %d turns): %.2f ms\n", presentTurns, swapMs);
    std::printf("frame of the 88-key piano, shown by a copy (median of %d turns): %.2f ms\n", presentTurns, copyMs);
    std::printf("frame shown by a copy / by a swap: %.2f\n", swapMs > 0 ? copyMs / swapMs : 0.0);

    dispatch(effect, effClose);
    FreeLibrary(dll);
    return 0;
}
