#include "tests/library/PluginLibrary.h"

#include <windows.h>

PluginMain pluginEntry(const char* path, const char* name)
{
    HMODULE module = LoadLibraryA(path);
    return module ? reinterpret_cast<PluginMain>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
