#pragma once
// A plug-in's binary as this platform loads it: a DLL on Windows, a shared
// object on Linux, whatever format its entry speaks. Declared once here;
// host/win32 and host/linux load it their way, refusing first what the
// loader would refuse with a message that helps nobody (a binary of another
// width, processor or system), so that the user learns which host takes it.
#include <string>

class PluginLibrary {
public:
    PluginLibrary() = default;
    ~PluginLibrary() { unload(); }
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Answers false with a one-line `error` naming the file and why.
    bool load(const std::string& path, std::string& error);
    // Harmless when nothing is loaded.
    void unload();

    // The module a VST 3 bundle folder holds for this platform and width
    // (Contents/<architecture>-<system>/<bundle's name><suffix>).
    static std::string bundleModule(const std::string& bundle);

    // The exported symbol of that name, or null.
    void* symbol(const char* name) const;
    // The system's handle of the loaded binary (an HMODULE, a dlopen handle).
    void* handle() const { return module; }

private:
    void* module = nullptr;
};
