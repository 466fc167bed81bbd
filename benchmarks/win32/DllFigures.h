#pragma once
// Shared by the parts of editor_figures.exe: the plug-in DLL loaded as a host
// loads it, the clock, and what its import hooks have counted.
#include "benchmarks/Timing.h"
#include "framework/Vst2Abi.h"

#include <windows.h>

#include <vector>

intptr_t dispatch(AEffect* effect, int32_t opcode, intptr_t value = 0, void* ptr = nullptr);

// Counted through the DLL's imports.
struct DllCalls {
    int framesFlushed = 0; // glFlush calls: every frame, however it is presented
    int framesShown = 0; // SwapBuffers
    int gdiDrawing = 0; // GDI drawing calls (the panel draws with no others)
    int deviceContexts = 0; // GetDC, BeginPaint
    // With `timeStages` set, each stage of a frame is finished (glFinish)
    // before the next starts and its time added here, in milliseconds.
    bool timeStages = false;
    double clearMs = 0.0; // glClear and the camera's set-up
    double caseMs = 0.0; // the first display list a frame calls: the case or body
    double keysMs = 0.0; // from there to the swap: the keys
    double swapMs = 0.0; // SwapBuffers
    double readBackMs = 0.0; // reading the whole frame back after the swap

    // Milliseconds spent inside the calls that open and close the editor's
    // windows, GL context and bitmaps, while `timeWindowCalls` is set.
    bool timeWindowCalls = false;
    double createWindowMs = 0.0; // CreateWindowExA and CreateWindowExW
    double pixelFormatMs = 0.0; // ChoosePixelFormat, DescribePixelFormat, SetPixelFormat
    double createContextMs = 0.0; // wglCreateContext
    double makeCurrentMs = 0.0; // wglMakeCurrent
    double loadBitmapMs = 0.0; // LoadBitmapA
    double destroyWindowMs = 0.0; // DestroyWindow
    double deleteContextMs = 0.0; // wglDeleteContext
};

extern DllCalls dllCalls;

bool hookDll(HMODULE dll);

// effEditOpen into `window`, then idles until the view has shown a frame.
struct OpenTimes {
    double open; // effEditOpen alone
    double firstFrame; // effEditOpen until the view's first frame is shown
};
class TestWindow;
OpenTimes openEditor(AEffect* effect, TestWindow& window);
// effEditClose, answering how long it took; the host window is destroyed after.
double closeEditor(AEffect* effect, TestWindow& window);

// The frame an idle draws after a block of MIDI, program by program, and
// where its time goes. The editor is open in `window`.
void printFrameFigures(AEffect* effect, TestWindow& window);
// effProcessEvents in blocks of 64 and 1024 events, practice off and on.
// The editor is open in `window` at first (to switch practice on) and closed
// when this returns.
void printIntakeFigures(AEffect* effect, TestWindow& window);
