#include "tests/vst3/Vst3Module.h"

#include <cstdint>
#include <dlfcn.h>

namespace {

vst3::IPluginFactory* load()
{
    void* module = dlopen(QARN_VST3_FILE, RTLD_NOW | RTLD_LOCAL);
    if (!module)
        return nullptr;
    auto entry = reinterpret_cast<bool (*)(void*)>(dlsym(module, "ModuleEntry"));
    auto factory = reinterpret_cast<vst3::IPluginFactory* (*)()>(dlsym(module, "GetPluginFactory"));
    return entry && factory && dlsym(module, "ModuleExit") && entry(module) ? factory() : nullptr;
}

} // namespace

vst3::IPluginFactory* moduleFactory()
{
    static vst3::IPluginFactory* factory = load();
    return factory;
}

const char* platformWindowType()
{
    return "X11EmbedWindowID";
}
