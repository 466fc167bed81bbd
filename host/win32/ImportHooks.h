#pragma once
// Redirects one imported function of one loaded module (a program or a DLL)
// to a function of the caller's, by rewriting that module's import address
// table. The module's calls then reach the hook, which can count them and
// call on to the real function. Calls made through other modules are not seen.
#include <windows.h>

// Points `module`'s import of `function` from `dll` at `hook` and stores the
// function it replaced in `*real`; false (and nothing changed) when the module
// does not import it by name.
bool redirectImport(HMODULE module, const char* dll, const char* function, void* hook, void** real);

template <typename Function>
bool redirectImport(HMODULE module, const char* dll, const char* function, Function hook, Function& real)
{
    void* replaced = nullptr;
    if (!redirectImport(module, dll, function, reinterpret_cast<void*>(hook), &replaced))
        return false;
    real = reinterpret_cast<Function>(replaced);
    return true;
}
