#include "tests/support/GdiCallLog.h"

#include "host/win32/ImportHooks.h"

#include <windows.h>

#include <cstring>

namespace gdiLog {
namespace {

std::set<void*> objects;
std::set<void*> deviceContexts;
int paints = 0;
std::vector<void*> windows;
HDC watched = nullptr;
int selectedDeletions = 0;
bool failing = false;

// The real functions, as found in the import table.
decltype(&CreatePenIndirect) realCreatePenIndirect;
decltype(&CreateBrushIndirect) realCreateBrushIndirect;
decltype(&CreateFontIndirectA) realCreateFontIndirectA;
decltype(&CreateCompatibleDC) realCreateCompatibleDC;
decltype(&DeleteObject) realDeleteObject;
decltype(&DeleteDC) realDeleteDC;
decltype(&LoadBitmapA) realLoadBitmapA;
decltype(&GetDC) realGetDC;
decltype(&ReleaseDC) realReleaseDC;
decltype(&BeginPaint) realBeginPaint;
decltype(&EndPaint) realEndPaint;
decltype(&SetWindowLongPtrA) realSetWindowLongPtrA;
decltype(&DestroyWindow) realDestroyWindow;

template <typename Handle> Handle created(Handle handle)
{
    if (handle) {
        objects.insert(handle);
    }
    return handle;
}

HPEN WINAPI hookCreatePenIndirect(const LOGPEN* pen)
{
    return failing ? nullptr : created(realCreatePenIndirect(pen));
}
HBRUSH WINAPI hookCreateBrushIndirect(const LOGBRUSH* brush)
{
    return failing ? nullptr : created(realCreateBrushIndirect(brush));
}
HFONT WINAPI hookCreateFontIndirectA(const LOGFONTA* font)
{
    return failing ? nullptr : created(realCreateFontIndirectA(font));
}
HBITMAP WINAPI hookLoadBitmapA(HINSTANCE module, LPCSTR name)
{
    return created(realLoadBitmapA(module, name));
}
BOOL WINAPI hookDeleteObject(HGDIOBJ object)
{
    if (watched &&
        (GetCurrentObject(watched, OBJ_PEN) == object || GetCurrentObject(watched, OBJ_BRUSH) == object ||
            GetCurrentObject(watched, OBJ_FONT) == object)) {
        ++selectedDeletions;
    }
    objects.erase(object);
    return realDeleteObject(object);
}
HDC WINAPI hookCreateCompatibleDC(HDC dc)
{
    HDC memory = realCreateCompatibleDC(dc);
    if (memory) {
        deviceContexts.insert(memory);
    }
    return memory;
}
BOOL WINAPI hookDeleteDC(HDC dc)
{
    deviceContexts.erase(dc);
    return realDeleteDC(dc);
}
HDC WINAPI hookGetDC(HWND window)
{
    windows.push_back(window);
    HDC dc = realGetDC(window);
    if (dc) {
        deviceContexts.insert(dc);
    }
    return dc;
}
int WINAPI hookReleaseDC(HWND window, HDC dc)
{
    windows.push_back(window);
    deviceContexts.erase(dc);
    return realReleaseDC(window, dc);
}
HDC WINAPI hookBeginPaint(HWND window, PAINTSTRUCT* paint)
{
    windows.push_back(window);
    ++paints;
    return realBeginPaint(window, paint);
}
BOOL WINAPI hookEndPaint(HWND window, const PAINTSTRUCT* paint)
{
    windows.push_back(window);
    --paints;
    return realEndPaint(window, paint);
}
LONG_PTR WINAPI hookSetWindowLongPtrA(HWND window, int index, LONG_PTR value)
{
    windows.push_back(window);
    return realSetWindowLongPtrA(window, index, value);
}
BOOL WINAPI hookDestroyWindow(HWND window)
{
    windows.push_back(window);
    return realDestroyWindow(window);
}

#define QARN_REDIRECT(dll, name) redirectImport(GetModuleHandleA(nullptr), dll, #name, &hook##name, real##name)

bool redirectAll()
{
    bool found = true;
    found &= QARN_REDIRECT("gdi32.dll", CreatePenIndirect);
    found &= QARN_REDIRECT("gdi32.dll", CreateBrushIndirect);
    found &= QARN_REDIRECT("gdi32.dll", CreateFontIndirectA);
    found &= QARN_REDIRECT("gdi32.dll", CreateCompatibleDC);
    found &= QARN_REDIRECT("gdi32.dll", DeleteObject);
    found &= QARN_REDIRECT("gdi32.dll", DeleteDC);
    found &= QARN_REDIRECT("user32.dll", LoadBitmapA);
    found &= QARN_REDIRECT("user32.dll", GetDC);
    found &= QARN_REDIRECT("user32.dll", ReleaseDC);
    found &= QARN_REDIRECT("user32.dll", BeginPaint);
    found &= QARN_REDIRECT("user32.dll", EndPaint);
    // A 64-bit program imports SetWindowLongPtrA itself; in a 32-bit one the
    // name stands for SetWindowLongA.
    found &= redirectImport(GetModuleHandleA(nullptr), "user32.dll",
        sizeof(void*) == 8 ? "SetWindowLongPtrA" : "SetWindowLongA", &hookSetWindowLongPtrA, realSetWindowLongPtrA);
    found &= QARN_REDIRECT("user32.dll", DestroyWindow);
    return found;
}

#undef QARN_REDIRECT

} // namespace

bool install()
{
    static const bool installed = redirectAll();
    return installed;
}

const std::set<void*>& liveObjects()
{
    return objects;
}

const std::set<void*>& liveDeviceContexts()
{
    return deviceContexts;
}

int openPaints()
{
    return paints;
}

const std::vector<void*>& touchedWindows()
{
    return windows;
}

void clearTouchedWindows()
{
    windows.clear();
}

void watchDeviceContext(void* deviceContext)
{
    watched = static_cast<HDC>(deviceContext);
    if (watched) {
        selectedDeletions = 0;
    }
}

int deletionsWhileSelected()
{
    return selectedDeletions;
}

void failCreations(bool state)
{
    failing = state;
}

} // namespace gdiLog
