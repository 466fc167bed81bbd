#include "gui/FrameWindowClass.h"

#include <cstdint>
#include <cstdio>

#include "plugin/ModuleHandle.h"

namespace {

char className[20];
int32_t classUseCount = 0;

HINSTANCE module()
{
    return static_cast<HINSTANCE>(moduleInstance());
}

} // namespace

const char* acquireFrameWindowClass(WNDPROC windowProcedure)
{
    if (++classUseCount != 1) {
        return className;
    }
    std::snprintf(className, sizeof(className), "Plugin%08x",
        static_cast<unsigned>(reinterpret_cast<uintptr_t>(moduleInstance())));
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
