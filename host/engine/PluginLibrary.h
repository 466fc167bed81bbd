#pragma once
// A plug-in's binary as this platform loads it: a DLL on Windows, a shared
// object on Linux, with its VST 2 entry. Declared once here; host/win32 and
// host/linux load it their way, refusing first what the loader would refuse
// with a message that helps nobody (a binary of another width, processor or
// system), so that the user learns which host takes it.
#include <string>

class PluginLibrary {
public:
    PluginLibrary() = default;
    ~PluginLibrary() { unload(); }
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Loads the binary and finds its entry ("VSTPluginMain", or the older
    // "main"). Answers false with a one-line `error` naming the file and why.
    bool load(const std::string& path, std::string& error);
    // Harmless when nothing is loaded.
    void unload();

    void* entry() const { return entryPoint; }
    // The system's handle of the loaded binary (an HMODULE, a dlopen handle).
    void* handle() const { return module; }

private:
    void* module = nullptr;
    void* entryPoint = nullptr;
};
