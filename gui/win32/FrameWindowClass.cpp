#include "gui/win32/FrameWindowClass.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>

#include "gui/ModuleHandle.h"

namespace {

char className[frameWindowClassNameSize];
int32_t classUseCount = 0;

HINSTANCE module()
{
    return static_cast<HINSTANCE>(moduleInstance());
}

} // namespace

void formatFrameWindowClassName(HINSTANCE module, char (&name)[frameWindowClassNameSize])
{
    std::snprintf(name, sizeof name, "Plugin%0*" PRIxPTR, static_cast<int>(2 * sizeof(void*)),
        reinterpret_cast<uintptr_t>(module));
}

const char* acquireFrameWindowClass(WNDPROC windowProcedure)
{
    if (++classUseCount != 1) {
        return className;
    }
    formatFrameWindowClassName(module(), className);
    WNDCLASSA windowClass{};
    windowClass.style = 0;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = module();
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = className;
    // A failed registration shows as a failed window creation.
    RegisterClassA(&windowClass);
    return className;
}

void releaseFrameWindowClass()
{
    if (classUseCount > 0 && --classUseCount == 0) {
        UnregisterClassA(className, module());
    }
}
