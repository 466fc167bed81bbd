#include "host/engine/PluginLibrary.h"

#include "host/engine/PluginWidth.h"

#include <dlfcn.h>

bool PluginLibrary::load(const std::string& path, std::string& error)
{
    unload();
    error = sharedObjectMismatch(path);
    if (!error.empty())
        return false;
    // RTLD_LOCAL, as hosts load plug-ins: the plug-in's symbols stay its own.
    void* library =
        dlopen(path.find('/') == std::string::npos ? ("./" + path).c_str() : path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        error = path + ": cannot load the library: " + (reason ? reason : "unknown reason");
        return false;
    }
    module = library;
    return true;
}

void* PluginLibrary::symbol(const char* name) const
{
    return module ? dlsym(module, name) : nullptr;
}

void PluginLibrary::unload()
{
    if (module)
        dlclose(module);
    module = nullptr;
}

std::string PluginLibrary::bundleModule(const std::string& bundle)
{
    std::string folder = bundle;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    const size_t slash = folder.find_last_of('/');
    std::string name = slash == std::string::npos ? folder : folder.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    return folder + "/Contents/x86_64-linux/" + name + ".so";
}
