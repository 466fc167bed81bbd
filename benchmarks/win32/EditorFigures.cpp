// Figures of the shipped DLL under Windows (or Wine), for
// scripts/bench-report.sh: how long effEditOpen and effEditClose take and how
// long until the 3-D view has shown its first frame, what an editor idle with
// nothing to redraw costs (and that it draws nothing: no GL frame, no GDI
// drawing, no device context), the frame an idle draws after a block of MIDI
// per program and where its time goes, effProcessEvents per event, the
// process's peak working set with the editor open, and what one frame of the
// 88-key piano costs shown by a buffer swap and by a copy into a plain window
// (QARN_PRESENT), measured in turns in the same run. All but the last figure
// are taken on the swap path, the one Windows uses. Loads the DLL as a host
// does and watches its own GDI and GL calls by redirecting its imports, so
// that any build of the plug-in can be measured the same way. Prints one
// "name: value" line per figure.
//
//   editor_figures.exe QarnViewer.dll
#include "benchmarks/BenchmarkHost.h"
#include "benchmarks/win32/DllFigures.h"
#include "host/win32/ImportHooks.h"
#include "tests/support/Win32Window.h"

#include <GL/gl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

DllCalls dllCalls;

namespace {

typedef AEffect*(VSTCALLBACK* PluginMain)(audioMasterCallback host);

constexpr int openRounds = 20;
constexpr int idleRounds = 5000;
constexpr int presentTurns = 6; // per way of presenting, alternating
constexpr int framesPerTurn = 40;

decltype(&SwapBuffers) realSwapBuffers;
decltype(&glFlush) realGlFlush;
decltype(&BitBlt) realBitBlt;
decltype(&LineTo) realLineTo;
decltype(&FillRect) realFillRect;
decltype(&DrawTextA) realDrawTextA;
decltype(&GetDC) realGetDC;
decltype(&BeginPaint) realBeginPaint;
decltype(&glClear) realClear;
decltype(&glCallList) realCallList;

decltype(&CreateWindowExA) realCreateWindowExA;
decltype(&CreateWindowExW) realCreateWindowExW;
decltype(&ChoosePixelFormat) realChoosePixelFormat;
decltype(&DescribePixelFormat) realDescribePixelFormat;
decltype(&SetPixelFormat) realSetPixelFormat;
decltype(&wglCreateContext) realCreateContext;
decltype(&wglMakeCurrent) realMakeCurrent;
decltype(&LoadBitmapA) realLoadBitmapA;
decltype(&DestroyWindow) realDestroyWindow;
decltype(&wglDeleteContext) realDeleteContext;

// Runs `call` and adds its time to `total` while window calls are timed.
template <typename Call> auto timed(double& total, Call call)
{
    const double start = nowMs();
    auto result = call();
    if (dllCalls.timeWindowCalls)
        total += nowMs() - start;
    return result;
}

HWND WINAPI timeCreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR name, DWORD style, int x, int y, int width,
    int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter)
{
    return timed(dllCalls.createWindowMs, [&] {
        return realCreateWindowExA(
            exStyle, className, name, style, x, y, width, height, parent, menu, instance, parameter);
    });
}
HWND WINAPI timeCreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR name, DWORD style, int x, int y, int width,
    int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter)
{
    return timed(dllCalls.createWindowMs, [&] {
        return realCreateWindowExW(
            exStyle, className, name, style, x, y, width, height, parent, menu, instance, parameter);
    });
}
int WINAPI timeChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* wanted)
{
    return timed(dllCalls.pixelFormatMs, [&] { return realChoosePixelFormat(dc, wanted); });
}
int WINAPI timeDescribePixelFormat(HDC dc, int format, UINT size, PIXELFORMATDESCRIPTOR* described)
{
    return timed(dllCalls.pixelFormatMs, [&] { return realDescribePixelFormat(dc, format, size, described); });
}
BOOL WINAPI timeSetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* described)
{
    return timed(dllCalls.pixelFormatMs, [&] { return realSetPixelFormat(dc, format, described); });
}
HGLRC WINAPI timeCreateContext(HDC dc)
{
    return timed(dllCalls.createContextMs, [&] { return realCreateContext(dc); });
}
BOOL WINAPI timeMakeCurrent(HDC dc, HGLRC context)
{
    return timed(dllCalls.makeCurrentMs, [&] { return realMakeCurrent(dc, context); });
}
HBITMAP WINAPI timeLoadBitmapA(HINSTANCE instance, LPCSTR name)
{
    return timed(dllCalls.loadBitmapMs, [&] { return realLoadBitmapA(instance, name); });
}
BOOL WINAPI timeDestroyWindow(HWND window)
{
    return timed(dllCalls.destroyWindowMs, [&] { return realDestroyWindow(window); });
}
BOOL WINAPI timeDeleteContext(HGLRC context)
{
    return timed(dllCalls.deleteContextMs, [&] { return realDeleteContext(context); });
}

// Where the frame being drawn is, for the stage times.
double stageStart = 0.0;
bool caseDrawn = false;

double finishStage()
{
    glFinish();
    const double now = nowMs();
    const double elapsed = now - stageStart;
    stageStart = now;
    return elapsed;
}

void WINAPI countClear(GLbitfield mask)
{
    if (dllCalls.timeStages) {
        glFinish();
        stageStart = nowMs();
        caseDrawn = false;
    }
    realClear(mask);
    if (dllCalls.timeStages)
        dllCalls.clearMs += finishStage();
}
void WINAPI countCallList(GLuint list)
{
    if (dllCalls.timeStages && !caseDrawn)
        dllCalls.clearMs += finishStage(); // the camera's set-up, counted with the clear
    realCallList(list);
    if (dllCalls.timeStages && !caseDrawn) {
        dllCalls.caseMs += finishStage();
        caseDrawn = true;
    }
}
BOOL WINAPI countSwapBuffers(HDC dc)
{
    ++dllCalls.framesShown;
    if (!dllCalls.timeStages)
        return realSwapBuffers(dc);
    dllCalls.keysMs += finishStage();
    const BOOL swapped = realSwapBuffers(dc);
    dllCalls.swapMs += finishStage();
    // What copying the frame to the window by hand would first cost.
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    static std::vector<unsigned char> pixels;
    pixels.resize(static_cast<size_t>(viewport[2]) * static_cast<size_t>(viewport[3]) * 4);
    glReadPixels(0, 0, viewport[2], viewport[3], GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    dllCalls.readBackMs += finishStage();
    return swapped;
}
BOOL WINAPI countBitBlt(HDC to, int x, int y, int width, int height, HDC from, int fromX, int fromY, DWORD op)
{
    ++dllCalls.gdiDrawing;
    return realBitBlt(to, x, y, width, height, from, fromX, fromY, op);
}
BOOL WINAPI countLineTo(HDC dc, int x, int y)
{
    ++dllCalls.gdiDrawing;
    return realLineTo(dc, x, y);
}
int WINAPI countFillRect(HDC dc, const RECT* rect, HBRUSH brush)
{
    ++dllCalls.gdiDrawing;
    return realFillRect(dc, rect, brush);
}
int WINAPI countDrawTextA(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format)
{
    ++dllCalls.gdiDrawing;
    return realDrawTextA(dc, text, length, rect, format);
}
HDC WINAPI countGetDC(HWND window)
{
    ++dllCalls.deviceContexts;
    return realGetDC(window);
}
// Every frame of the view ends with glFlush, whichever way it then reaches
// the screen.
void WINAPI countGlFlush()
{
    ++dllCalls.framesFlushed;
    realGlFlush();
}
HDC WINAPI countBeginPaint(HWND window, PAINTSTRUCT* paint)
{
    ++dllCalls.deviceContexts;
    return realBeginPaint(window, paint);
}

} // namespace

bool hookDll(HMODULE dll)
{
    bool found = redirectImport(dll, "gdi32.dll", "SwapBuffers", countSwapBuffers, realSwapBuffers);
    found &= redirectImport(dll, "opengl32.dll", "glFlush", countGlFlush, realGlFlush);
    found &= redirectImport(dll, "gdi32.dll", "BitBlt", countBitBlt, realBitBlt);
    found &= redirectImport(dll, "gdi32.dll", "LineTo", countLineTo, realLineTo);
    found &= redirectImport(dll, "user32.dll", "FillRect", countFillRect, realFillRect);
    found &= redirectImport(dll, "user32.dll", "DrawTextA", countDrawTextA, realDrawTextA);
    found &= redirectImport(dll, "user32.dll", "GetDC", countGetDC, realGetDC);
    found &= redirectImport(dll, "user32.dll", "BeginPaint", countBeginPaint, realBeginPaint);
    found &= redirectImport(dll, "opengl32.dll", "glClear", countClear, realClear);
    found &= redirectImport(dll, "opengl32.dll", "glCallList", countCallList, realCallList);
    found &= redirectImport(dll, "user32.dll", "CreateWindowExA", timeCreateWindowExA, realCreateWindowExA);
    found &= redirectImport(dll, "user32.dll", "CreateWindowExW", timeCreateWindowExW, realCreateWindowExW);
    found &= redirectImport(dll, "gdi32.dll", "ChoosePixelFormat", timeChoosePixelFormat, realChoosePixelFormat);
    found &= redirectImport(dll, "gdi32.dll", "DescribePixelFormat", timeDescribePixelFormat, realDescribePixelFormat);
    found &= redirectImport(dll, "gdi32.dll", "SetPixelFormat", timeSetPixelFormat, realSetPixelFormat);
    found &= redirectImport(dll, "opengl32.dll", "wglCreateContext", timeCreateContext, realCreateContext);
    found &= redirectImport(dll, "opengl32.dll", "wglMakeCurrent", timeMakeCurrent, realMakeCurrent);
    found &= redirectImport(dll, "user32.dll", "LoadBitmapA", timeLoadBitmapA, realLoadBitmapA);
    found &= redirectImport(dll, "user32.dll", "DestroyWindow", timeDestroyWindow, realDestroyWindow);
    found &= redirectImport(dll, "opengl32.dll", "wglDeleteContext", timeDeleteContext, realDeleteContext);
    return found;
}

intptr_t dispatch(AEffect* effect, int32_t opcode, intptr_t value, void* ptr)
{
    return effect->dispatcher(effect, opcode, 0, value, ptr, 0.0f);
}

OpenTimes openEditor(AEffect* effect, TestWindow& window)
{
    window.create(700, 500);
    const int frames = dllCalls.framesFlushed;
    const double start = nowMs();
    dispatch(effect, effEditOpen, 0, window.handle());
    const double opened = nowMs();
    for (int i = 0; i < 1000 && dllCalls.framesFlushed == frames; ++i) {
        pumpMessages();
        dispatch(effect, effEditIdle);
    }
    return {opened - start, nowMs() - start};
}

double closeEditor(AEffect* effect, TestWindow& window)
{
    const double start = nowMs();
    dispatch(effect, effEditClose);
    const double closed = nowMs() - start;
    window.destroy();
    pumpMessages();
    return closed;
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
    const int framesBefore = dllCalls.framesFlushed;
    const double start = nowMs();
    for (int i = 0; i < framesPerTurn; ++i) {
        dispatch(effect, effProcessEvents, 0, &noEvents);
        dispatch(effect, effEditIdle);
    }
    const double elapsed = nowMs() - start;
    const int frames = dllCalls.framesFlushed - framesBefore;
    closeEditor(effect, window);
    return frames > 0 ? elapsed / frames : 0.0;
}

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
    _putenv_s("QARN_PRESENT", "swap");
    AEffect* effect = pluginMain(benchmarkHost);
    if (!effect)
        return 2;
    dispatch(effect, effMainsChanged, 1);

    TestWindow window;
    const OpenTimes first = openEditor(effect, window);
    closeEditor(effect, window);
    std::vector<double> opens, firstFrames, closes;
    const DllCalls beforeOpens = dllCalls;
    dllCalls.timeWindowCalls = true;
    for (int i = 0; i < openRounds; ++i) {
        const OpenTimes times = openEditor(effect, window);
        opens.push_back(times.open);
        firstFrames.push_back(times.firstFrame);
        closes.push_back(closeEditor(effect, window));
    }
    dllCalls.timeWindowCalls = false;
    std::printf("first editor open: %.2f ms\n", first.open);
    std::printf("first editor open to first frame: %.2f ms\n", first.firstFrame);
    std::printf("editor open (median of %d): %.2f ms\n", openRounds, median(opens));
    std::printf("editor open to first frame (median of %d): %.2f ms\n", openRounds, median(firstFrames));
    std::printf("editor close (median of %d): %.2f ms\n", openRounds, median(closes));
    // The host's own calls between an open and its first frame are not seen:
    // only what the DLL itself calls.
    const double n = openRounds;
    std::printf("editor open and close, inside the calls (mean per open): CreateWindowEx %.3f ms, pixel format "
                "%.3f ms, wglCreateContext %.3f ms, wglMakeCurrent %.3f ms, LoadBitmap %.3f ms, DestroyWindow %.3f ms, "
                "wglDeleteContext %.3f ms\n",
        (dllCalls.createWindowMs - beforeOpens.createWindowMs) / n,
        (dllCalls.pixelFormatMs - beforeOpens.pixelFormatMs) / n,
        (dllCalls.createContextMs - beforeOpens.createContextMs) / n,
        (dllCalls.makeCurrentMs - beforeOpens.makeCurrentMs) / n,
        (dllCalls.loadBitmapMs - beforeOpens.loadBitmapMs) / n,
        (dllCalls.destroyWindowMs - beforeOpens.destroyWindowMs) / n,
        (dllCalls.deleteContextMs - beforeOpens.deleteContextMs) / n);

    // Idles with nothing to redraw: spin off, no notes, no presses.
    openEditor(effect, window);
    for (int i = 0; i < 50; ++i) {
        pumpMessages();
        dispatch(effect, effEditIdle);
    }
    const DllCalls before = dllCalls;
    const double start = nowMs();
    for (int i = 0; i < idleRounds; ++i)
        dispatch(effect, effEditIdle);
    const double elapsed = nowMs() - start;
    std::printf("idle with nothing to redraw: %.3f us\n", 1000.0 * elapsed / idleRounds);
    std::printf("idle with nothing to redraw, frames drawn: %d\n", dllCalls.framesShown - before.framesShown);
    std::printf("idle with nothing to redraw, GDI draws: %d\n", dllCalls.gdiDrawing - before.gdiDrawing);
    std::printf("idle with nothing to redraw, device contexts obtained: %.2f per idle\n",
        static_cast<double>(dllCalls.deviceContexts - before.deviceContexts) / idleRounds);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf(
        "peak working set with the editor open: %u KiB\n", static_cast<unsigned>(memory.PeakWorkingSetSize / 1024));

    printFrameFigures(effect, window);
    printIntakeFigures(effect, window);

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
