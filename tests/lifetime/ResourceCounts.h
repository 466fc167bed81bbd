#pragma once
// What a test program holds at one moment, to compare before and after many
// editor or plug-in lifetimes: windows, GDI objects and device contexts
// (through tests/support/GdiCallLog, since Wine does not count GDI objects per
// process), OpenGL contexts (wglCreateContext minus wglDeleteContext), heap
// blocks of C++ code in this program, and the process's memory.
//
// The plug-in's code must be linked into the program: the hooks watch the
// program's own imports.
#include <cstddef>
#include <cstdint>
#include <string>

struct ResourceCounts {
    int windows = 0; // windows of this thread, children included
    size_t gdiObjects = 0; // pens, brushes, fonts and bitmaps not yet deleted
    size_t deviceContexts = 0;
    int glContexts = 0;
    int64_t heapBlocks = 0; // operator new minus operator delete
    size_t committedBytes = 0; // committed private memory of the process
    size_t workingSet = 0;
    size_t peakWorkingSet = 0;

    std::string describe() const;
};

// Installs the hooks once; false if some import was not found.
bool installResourceHooks();

ResourceCounts countResources();
