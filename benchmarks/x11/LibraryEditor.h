#pragma once
// What editor_figures and editor_cycles share: QarnViewer.so loaded as a
// Linux host loads it (dlopen, RTLD_LOCAL), one instance of it whose editor
// opens in a window of the host's on the X display, and the frames its view
// draws.
//
// The frames are seen through the program's own glClear and glXSwapBuffers:
// the programs export them (ENABLE_EXPORTS), so the library's calls reach
// them before libGL's, and they pass every call on. A frame starts at its
// clear and ends when its swap has returned, both on the view's own thread.
#include "benchmarks/Timing.h"
#include "framework/Vst2Abi.h"

#include <vector>

// The frames finished since the program started, and the last one's start
// and end in nowMs() time.
struct FrameRecord {
    int ended = 0;
    double start = 0.0;
    double end = 0.0;
};
FrameRecord lastFrame();

// X errors on the host's connections. A host sets its own handler (Xlib's
// default one ends the process), and so does this one: it counts them.
int hostXErrors();

class LibraryEditor {
public:
    // Loads the library, makes an instance and switches it on; valid() is
    // false when any of it failed.
    explicit LibraryEditor(const char* path);
    ~LibraryEditor();
    LibraryEditor(const LibraryEditor&) = delete;
    LibraryEditor& operator=(const LibraryEditor&) = delete;

    bool valid() const { return effect != nullptr; }
    intptr_t dispatch(int32_t opcode, intptr_t value = 0, void* ptr = nullptr);

    // effEditOpen into the host's window, and effEditClose; each answers
    // how long the call took, in milliseconds.
    double open(void* parent);
    double close();

    // Calls the editor's idle as a host does (here about every
    // millisecond) until `frames` frames have ended since the start, or
    // `patienceMs` has passed; answers whether they did.
    bool idleUntilFrames(int frames, double patienceMs);

private:
    AEffect* effect = nullptr;
};
