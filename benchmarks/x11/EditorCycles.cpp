// Memory and X resources over many editor opens and closes of the Linux
// library, for scripts/bench-editor-cycles.sh, which sets them beside the
// Windows DLL's (benchmarks/win32/EditorCycles.cpp: same arguments, same
// lines for what both measure). After 1, 10, 100 and 1000 cycles: the
// process's private memory (Private_* of /proc/self/smaps_rollup, the count
// the Windows side reads of its Wine process), the C library's heap in use,
// and what the X server holds for the process's connections (the X-Resource
// extension's count of every kind of resource, the editor's connections
// included while they are open); then the median effEditClose. A cycle is
// effEditOpen into one host window, the host's idle until the view's first
// frame has ended, and effEditClose.
//
//   editor_cycles QarnViewer.so [cycles]      (needs an X display)
#include "benchmarks/x11/LibraryEditor.h"
#include "tests/support/PrivatePages.h"
#include "tests/support/X11TestWindow.h"

#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr double patienceMs = 2000.0;

long privateMemoryKib()
{
    std::ifstream rollup("/proc/self/smaps_rollup");
    if (!rollup)
        return -1;
    const std::string text{std::istreambuf_iterator<char>(rollup), std::istreambuf_iterator<char>()};
    return static_cast<long>(privateKibOfRollup(text));
}

size_t heapInUseKib()
{
    const struct mallinfo2 heap = mallinfo2();
    return (heap.uordblks + heap.hblkhd) / 1024;
}

struct XResources {
    int connections = -1;
    long resources = -1;
};

// Every connection of this process, as the server knows them by process id.
XResources xResourcesOfThisProcess(Display* display)
{
    XResClientIdSpec everyClient{0, XRES_CLIENT_ID_PID_MASK};
    long count = 0;
    XResClientIdValue* ids = nullptr;
    if (XResQueryClientIds(display, 1, &everyClient, &count, &ids) != Success)
        return {};
    XResources found{0, 0};
    for (long i = 0; i < count; ++i) {
        if (XResGetClientPid(&ids[i]) != getpid())
            continue;
        ++found.connections;
        const auto& [connection, length, pid] = ids[i];
        int types = 0;
        XResType* held = nullptr;
        // The older of the extension's calls answers Xlib's way: non-zero on success.
        if (XResQueryClientResources(display, connection.client, &types, &held) != 0) {
            for (int t = 0; t < types; ++t)
                found.resources += static_cast<long>(held[t].count);
            XFree(held);
        }
    }
    XResClientIdsDestroy(count, ids);
    return found;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: editor_cycles QarnViewer.so [cycles]\n");
        return 2;
    }
    const int cycles = argc == 3 ? std::max(1, std::atoi(argv[2])) : 1000;
    X11TestWindow host;
    LibraryEditor editor(argv[1]);
    int event = 0, error = 0;
    if (!host.valid() || !editor.valid() || !XResQueryExtension(host.connection(), &event, &error)) {
        std::fprintf(stderr, "editor_cycles: no X display with the X-Resource extension, or cannot load %s\n", argv[1]);
        return 2;
    }
    std::printf("private memory before: %ld kB\n", privateMemoryKib());
    std::vector<double> closes;
    closes.reserve(static_cast<size_t>(cycles)); // not to be counted in the heap's growth
    int cyclesWithoutFrame = 0;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        const int frames = lastFrame().ended;
        editor.open(host.parent());
        if (!editor.idleUntilFrames(frames + 1, patienceMs))
            ++cyclesWithoutFrame;
        if (cycle == 1) {
            const XResources open = xResourcesOfThisProcess(host.connection());
            std::printf("X resources with the editor open: %ld on %d connections\n", open.resources, open.connections);
        }
        closes.push_back(editor.close());
        if (reportsAfterCycle(cycle) || cycle == cycles) {
            const XResources x = xResourcesOfThisProcess(host.connection());
            std::printf("private memory after %d cycles: %ld kB\n", cycle, privateMemoryKib());
            std::printf("heap in use after %d cycles: %zu kB\n", cycle, heapInUseKib());
            std::printf("X resources after %d cycles: %ld on %d connections\n", cycle, x.resources, x.connections);
            std::fflush(stdout);
        }
    }
    std::printf("close (median of %d): %.3f ms\n", cycles, median(closes));
    if (cyclesWithoutFrame)
        std::printf("cycles whose editor showed no frame: %d\n", cyclesWithoutFrame);
    if (hostXErrors())
        std::printf("X errors on the host's connections: %d\n", hostXErrors());
    return 0;
}
