#include "tests/library/PluginLibrary.h"

#include <dlfcn.h>

PluginMain pluginEntry(const char* path, const char* name)
{
    // RTLD_LOCAL, as hosts load plug-ins: nothing of ours may leak into the
    // global namespace or take symbols from it.
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    return library ? reinterpret_cast<PluginMain>(dlsym(library, name)) : nullptr;
}
