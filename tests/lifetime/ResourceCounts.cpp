#include "tests/lifetime/ResourceCounts.h"

#include "host/win32/ImportHooks.h"
#include "tests/support/GdiCallLog.h"
#include "tests/support/Win32Window.h"

#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

std::atomic<int64_t> liveHeapBlocks{0};
std::atomic<int> liveGlContexts{0};

decltype(&wglCreateContext) realWglCreateContext;
decltype(&wglDeleteContext) realWglDeleteContext;

HGLRC WINAPI hookWglCreateContext(HDC dc)
{
    HGLRC context = realWglCreateContext(dc);
    if (context)
        ++liveGlContexts;
    return context;
}

BOOL WINAPI hookWglDeleteContext(HGLRC context)
{
    const BOOL deleted = realWglDeleteContext(context);
    if (deleted)
        --liveGlContexts;
    return deleted;
}

void* allocate(size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (block)
        ++liveHeapBlocks;
    return block;
}

void release(void* block)
{
    if (block) {
        --liveHeapBlocks;
        std::free(block);
    }
}

// Wine answers 0 for PrivateUsage, so the address space is walked instead.
size_t committedPrivateBytes()
{
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* address = nullptr; VirtualQuery(address, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return total;
}

} // namespace

// Every C++ allocation of the program, the plug-in's included, is counted.
void* operator new(size_t size)
{
    if (void* block = allocate(size))
        return block;
    throw std::bad_alloc();
}
void* operator new[](size_t size)
{
    return operator new(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size);
}
void operator delete(void* block) noexcept
{
    release(block);
}
void operator delete[](void* block) noexcept
{
    release(block);
}
void operator delete(void* block, size_t) noexcept
{
    release(block);
}
void operator delete[](void* block, size_t) noexcept
{
    release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept
{
    release(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    release(block);
}

bool installResourceHooks()
{
    static const bool installed = [] {
        HMODULE program = GetModuleHandleA(nullptr);
        bool found = gdiLog::install();
        found &=
            redirectImport(program, "opengl32.dll", "wglCreateContext", hookWglCreateContext, realWglCreateContext);
        found &=
            redirectImport(program, "opengl32.dll", "wglDeleteContext", hookWglDeleteContext, realWglDeleteContext);
        return found;
    }();
    return installed;
}

ResourceCounts countResources()
{
    ResourceCounts counts;
    counts.windows = countThreadWindows();
    counts.gdiObjects = gdiLog::liveObjects().size();
    // A window's own device context goes with the window and is never given
    // back; the log still lists it, but the handle no longer names a DC.
    for (void* dc : gdiLog::liveDeviceContexts()) {
        if (GetObjectType(static_cast<HDC>(dc)) != 0)
            ++counts.deviceContexts;
    }
    counts.glContexts = liveGlContexts.load();
    // The log keeps one heap block per handle it lists and one for its list
    // of windows; those are the test's.
    counts.heapBlocks = liveHeapBlocks.load() - static_cast<int64_t>(gdiLog::liveObjects().size()) -
        static_cast<int64_t>(gdiLog::liveDeviceContexts().size()) - (gdiLog::touchedWindows().capacity() > 0 ? 1 : 0);
    counts.committedBytes = committedPrivateBytes();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        counts.workingSet = memory.WorkingSetSize;
        counts.peakWorkingSet = memory.PeakWorkingSetSize;
    }
    return counts;
}

std::string ResourceCounts::describe() const
{
    char text[256];
    std::snprintf(text, sizeof text,
        "windows %d, GDI objects %u, device contexts %u, GL contexts %d, heap blocks %lld, "
        "committed %u KiB, working set %u KiB",
        windows, static_cast<unsigned>(gdiObjects), static_cast<unsigned>(deviceContexts), glContexts,
        static_cast<long long>(heapBlocks), static_cast<unsigned>(committedBytes / 1024),
        static_cast<unsigned>(workingSet / 1024));
    return text;
}
