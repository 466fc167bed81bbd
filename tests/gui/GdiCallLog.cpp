#include "GdiCallLog.h"

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

// Points the program's import slot of `function` in `dll` at `hook` and stores
// the real function in `real`; false if the program does not import it.
template <typename Function> bool redirect(const char* dll, const char* function, Function hook, Function& real)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; descriptor->Name; ++descriptor) {
        if (_stricmp(reinterpret_cast<char*>(base + descriptor->Name), dll) != 0) {
            continue;
        }
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(byName->Name), function) != 0) {
                continue;
            }
            DWORD protection;
            VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &protection);
            real = reinterpret_cast<Function>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<decltype(slots->u1.Function)>(hook);
            VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), protection, &protection);
            return true;
        }
    }
    return false;
}

#define QARN_REDIRECT(dll, name) redirect(dll, #name, &hook##name, real##name)

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
    found &= redirect("user32.dll", sizeof(void*) == 8 ? "SetWindowLongPtrA" : "SetWindowLongA",
        &hookSetWindowLongPtrA, realSetWindowLongPtrA);
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
