#include "host/engine/PluginLibrary.h"

#include "host/engine/PluginWidth.h"

#include <windows.h>

namespace {

// Windows wants backslashes in paths handed to LoadLibrary.
std::string windowsPath(std::string path)
{
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return (length > 0 && length < MAX_PATH) ? std::string(full, length) : path;
}

std::string systemMessage(DWORD code)
{
    char text[256] = {};
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof text, nullptr);
    std::string message(text, length);
    const size_t insert = message.find("%1");
    if (insert != std::string::npos)
        message.replace(insert, 2, "the file");
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message.empty() ? "Windows error " + std::to_string(code) : message;
}

} // namespace

bool PluginLibrary::load(const std::string& path, std::string& error)
{
    unload();
    const std::string fullPath = windowsPath(path);
    uint16_t machine = 0;
    error = pluginWidthMismatch(path, pluginWidthOfFile(fullPath, machine), machine, hostWidth);
    if (!error.empty())
        return false;
    HMODULE library = LoadLibraryExA(fullPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library) {
        error = path + ": cannot load the DLL: " + systemMessage(GetLastError());
        return false;
    }
    module = library;
    return true;
}

void* PluginLibrary::symbol(const char* name) const
{
    return module ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name)) : nullptr;
}

void PluginLibrary::unload()
{
    if (module)
        FreeLibrary(static_cast<HMODULE>(module));
    module = nullptr;
}

std::string PluginLibrary::bundleModule(const std::string& bundle)
{
    std::string folder = bundle;
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    const size_t slash = folder.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? folder : folder.substr(slash + 1);
    // The module keeps the bundle's own name, suffix and all.
    const char* architecture = sizeof(void*) == 8 ? "x86_64-win" : "x86-win";
    return folder + "\\Contents\\" + architecture + "\\" + name;
}
