// Memory over many editor opens and closes under Wine (or Windows), for
// scripts/bench-editor-cycles.sh: the process's private memory after 1, 10,
// 100 and 1000 cycles and how long a close takes, either through the shipped
// DLL as a host drives it, or for the straightforward build of the same
// behaviour: a GL child window of its own with a plain buffer swap, made and
// destroyed with nothing else around it. Prints "name: value" lines.
//
//   editor_cycles.exe QarnViewer.dll [cycles]
//   editor_cycles.exe --plain [cycles]
//
// The DLL presents its frames the way QARN_PRESENT says, as in a host.
#include "benchmarks/BenchmarkHost.h"
#include "benchmarks/Timing.h"
#include "host/win32/ImportHooks.h"
#include "tests/support/PrivateMemory.h"
#include "tests/support/Win32Window.h"

#include <GL/gl.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

typedef AEffect*(VSTCALLBACK* PluginMain)(audioMasterCallback host);

constexpr int viewLeft = 100;
constexpr int viewTop = 100;
constexpr int viewWidth = 600;
constexpr int viewHeight = 400;

// Milliseconds inside the DLL's own calls while it closes its editor.
double destroyWindowMs = 0.0;
double deleteContextMs = 0.0;
bool closing = false;

decltype(&DestroyWindow) realDestroyWindow;
decltype(&wglDeleteContext) realDeleteContext;

BOOL WINAPI timeDestroyWindow(HWND window)
{
    const double start = nowMs();
    const BOOL destroyed = realDestroyWindow(window);
    if (closing)
        destroyWindowMs += nowMs() - start;
    return destroyed;
}

BOOL WINAPI timeDeleteContext(HGLRC context)
{
    const double start = nowMs();
    const BOOL deleted = realDeleteContext(context);
    if (closing)
        deleteContextMs += nowMs() - start;
    return deleted;
}

// One cycle of either side; answers how long the close took.
class Cycler {
public:
    virtual ~Cycler() = default;
    virtual void open(HWND host) = 0;
    virtual double close() = 0;
};

// The shipped DLL: effEditOpen, two rounds of the host's pump and idle (the
// first frame), effEditClose.
class EditorCycler : public Cycler {
public:
    explicit EditorCycler(AEffect* effect)
        : effect(effect)
    {
    }
    void open(HWND host) override
    {
        dispatch(effEditOpen, host);
        for (int i = 0; i < 2; ++i) {
            pumpMessages();
            dispatch(effEditIdle);
        }
    }
    double close() override
    {
        closing = true;
        const double start = nowMs();
        dispatch(effEditClose);
        const double elapsed = nowMs() - start;
        closing = false;
        return elapsed;
    }

private:
    intptr_t dispatch(int32_t opcode, void* ptr = nullptr)
    {
        return effect->dispatcher(effect, opcode, 0, 0, ptr, 0.0f);
    }
    AEffect* effect;
};

// The straightforward build: a child window with its own DC, a double-buffered
// pixel format with depth, a context, one cleared frame swapped to the window.
// With `copy`, the frame instead takes the copy path's calls and nothing
// else: read back into a 32-bit DIB section and drawn with GDI into a plain
// child window over the GL one.
class PlainCycler : public Cycler {
public:
    explicit PlainCycler(bool copy)
        : copy(copy)
    {
    }
    void open(HWND host) override
    {
        static const wchar_t* const className = [] {
            WNDCLASSW windowClass{};
            windowClass.style = CS_OWNDC;
            windowClass.lpfnWndProc = DefWindowProcW;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"PlainGlChild";
            RegisterClassW(&windowClass);
            return L"PlainGlChild";
        }();
        window = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, viewLeft,
            viewTop, viewWidth, viewHeight, host, nullptr, GetModuleHandleW(nullptr), nullptr);
        dc = GetDC(window);
        context = createGlContext(dc, 24);
        wglMakeCurrent(dc, context);
        glClearColor(0.0f, 0.0f, 0.5f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (copy)
            copyFrame();
        else
            SwapBuffers(dc);
        pumpMessages();
    }
    double close() override
    {
        const double start = nowMs();
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(context);
        ReleaseDC(window, dc);
        if (cover) {
            DestroyWindow(cover);
            DeleteDC(memory);
            DeleteObject(bitmap);
        }
        DestroyWindow(window);
        return nowMs() - start;
    }

private:
    void copyFrame()
    {
        cover = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, viewWidth, viewHeight,
            window, nullptr, GetModuleHandleW(nullptr), nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = viewWidth;
        info.bmiHeader.biHeight = viewHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        memory = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        SelectObject(memory, bitmap);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, viewWidth, viewHeight, 0x80E1 /* GL_BGRA_EXT */, GL_UNSIGNED_BYTE, bits);
        HDC coverDc = GetDC(cover);
        BitBlt(coverDc, 0, 0, viewWidth, viewHeight, memory, 0, 0, SRCCOPY);
        ReleaseDC(cover, coverDc);
    }

    const bool copy;
    HWND cover = nullptr;
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
};

void runCycles(Cycler& cycler, int cycles)
{
    TestWindow host(viewLeft + viewWidth, viewTop + viewHeight);
    std::vector<double> closes;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        cycler.open(host.handle());
        closes.push_back(cycler.close());
        pumpMessages();
        if (reportsAfterCycle(cycle) || cycle == cycles)
            std::printf(
                "private memory after %d cycles: %u kB\n", cycle, static_cast<unsigned>(privateMemoryBytes() / 1024));
    }
    std::nth_element(closes.begin(), closes.begin() + closes.size() / 2, closes.end());
    double total = 0.0;
    for (double close : closes)
        total += close;
    std::printf("close (median of %d): %.3f ms\n", cycles, closes[closes.size() / 2]);
    if (destroyWindowMs > 0.0 || deleteContextMs > 0.0)
        std::printf("close, inside the calls (mean per close): DestroyWindow %.3f ms, wglDeleteContext %.3f ms, the "
                    "rest %.3f ms\n",
            destroyWindowMs / cycles, deleteContextMs / cycles, (total - destroyWindowMs - deleteContextMs) / cycles);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: editor_cycles.exe QarnViewer.dll|--plain [cycles]\n");
        return 2;
    }
    const int cycles = argc == 3 ? std::max(1, std::atoi(argv[2])) : 1000;
    std::printf("private memory before: %u kB\n", static_cast<unsigned>(privateMemoryBytes() / 1024));
    if (std::strcmp(argv[1], "--plain") == 0 || std::strcmp(argv[1], "--plain-copy") == 0) {
        PlainCycler plain(std::strcmp(argv[1], "--plain-copy") == 0);
        runCycles(plain, cycles);
        return 0;
    }
    HMODULE dll = LoadLibraryA(argv[1]);
    auto pluginMain =
        dll ? reinterpret_cast<PluginMain>(reinterpret_cast<void*>(GetProcAddress(dll, "main"))) : nullptr;
    const bool hooked = dll &&
        redirectImport(dll, "user32.dll", "DestroyWindow", timeDestroyWindow, realDestroyWindow) &&
        redirectImport(dll, "opengl32.dll", "wglDeleteContext", timeDeleteContext, realDeleteContext);
    AEffect* effect = pluginMain && hooked ? pluginMain(benchmarkHost) : nullptr;
    if (!effect) {
        std::fprintf(stderr, "editor_cycles: cannot load %s\n", argv[1]);
        return 2;
    }
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    EditorCycler editor(effect);
    runCycles(editor, cycles);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    FreeLibrary(dll);
    return 0;
}
