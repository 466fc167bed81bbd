#include "tests/vst3/Vst3Module.h"

#include <windows.h>

namespace {

template <typename Function> Function exported(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

vst3::IPluginFactory* load()
{
    HMODULE module = LoadLibraryA(QARN_VST3_FILE);
    if (!module)
        return nullptr;
    auto init = exported<bool (*)()>(module, "InitDll");
    auto factory = exported<vst3::IPluginFactory*(QARN_VST3_CALL*)()>(module, "GetPluginFactory");
    return init && factory && GetProcAddress(module, "ExitDll") && init() ? factory() : nullptr;
}

} // namespace

vst3::IPluginFactory* moduleFactory()
{
    static vst3::IPluginFactory* factory = load();
    return factory;
}

const char* platformWindowType()
{
    return "HWND";
}
