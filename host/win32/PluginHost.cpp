#include "host/win32/PluginHost.h"

#include "host/engine/PluginWidth.h"
#include "host/engine/Transport.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

PluginHost* currentHost = nullptr;

typedef AEffect*(VSTCALLBACK* PluginEntry)(audioMasterCallback host);

constexpr intptr_t hostVersion = 2400;

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

void copyText(void* ptr, const char* text, size_t room)
{
    if (ptr) {
        std::strncpy(static_cast<char*>(ptr), text, room - 1);
        static_cast<char*>(ptr)[room - 1] = '\0';
    }
}

bool hostCanDo(const char* text)
{
    static const char* const answers[] = {"sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo", "sizeWindow"};
    for (const char* known : answers) {
        if (text && std::strcmp(text, known) == 0)
            return true;
    }
    return false;
}

} // namespace

PluginHost::PluginHost(double sampleRate, int32_t blockSize)
    : sampleRate(sampleRate)
    , blockSize(blockSize)
{
    otherTime.sampleRate = sampleRate;
    otherTime.tempo = 120.0;
    blockTime = otherTime;
}

PluginHost::~PluginHost()
{
    unload();
}

bool PluginHost::load(const std::string& path, std::string& error)
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
    // Plug-ins of this generation export "VSTPluginMain" or, older, "main".
    FARPROC entry = GetProcAddress(library, "VSTPluginMain");
    if (!entry)
        entry = GetProcAddress(library, "main");
    if (!entry) {
        FreeLibrary(library);
        error = path + ": not a VST 2 plug-in, it exports no \"main\"";
        return false;
    }

    module = library;
    currentHost = this;
    AEffect* created = reinterpret_cast<PluginEntry>(reinterpret_cast<void*>(entry))(hostCallback);
    if (!created || created->magic != kEffectMagic || !created->dispatcher) {
        error = path +
            (created ? ": the plug-in's main answered a record that is not an effect"
                     : ": the plug-in's main answered no effect");
        FreeLibrary(library);
        module = nullptr;
        currentHost = nullptr;
        return false;
    }
    plugin = created;
    return true;
}

void PluginHost::unload()
{
    if (plugin) {
        dispatch(effClose);
        plugin = nullptr;
    }
    if (module) {
        FreeLibrary(static_cast<HMODULE>(module));
        module = nullptr;
    }
    if (currentHost == this)
        currentHost = nullptr;
}

intptr_t PluginHost::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    return plugin ? plugin->dispatcher(plugin, opcode, index, value, ptr, opt) : 0;
}

void PluginHost::setBlockTime(const VstTimeInfo& time)
{
    processingThread.store(GetCurrentThreadId(), std::memory_order_relaxed);
    playing.store((time.flags & kVstTransportPlaying) != 0, std::memory_order_relaxed);
    blockTime = time;
}

VstTimeInfo* PluginHost::timeForCaller()
{
    if (GetCurrentThreadId() == processingThread.load(std::memory_order_relaxed))
        return &blockTime;
    otherTime.flags = kVstTempoValid | (playing.load(std::memory_order_relaxed) ? kVstTransportPlaying : 0);
    return &otherTime;
}

intptr_t VSTCALLBACK PluginHost::hostCallback(AEffect*, int32_t opcode, int32_t index, intptr_t value, void* ptr, float)
{
    if (opcode == audioMasterVersion)
        return hostVersion;
    return currentHost ? currentHost->answer(opcode, index, value, ptr) : 0;
}

intptr_t PluginHost::answer(int32_t opcode, int32_t index, intptr_t value, void* ptr)
{
    switch (opcode) {
    case audioMasterCurrentId: return plugin ? plugin->uniqueID : 0;
    case audioMasterIdle:
    case audioMasterNeedIdle:
    case audioMasterUpdateDisplay:
        // The editor idles from our timer anyway; calling it back from here
        // would re-enter the plug-in in the middle of its own call.
        return 1;
    case audioMasterWantMidi: wantMidiCount.fetch_add(1, std::memory_order_relaxed); return 1;
    case audioMasterGetTime: return reinterpret_cast<intptr_t>(timeForCaller());
    case audioMasterSizeWindow:
        // A 64-bit plug-in's height may not fit an int: refused, not wrapped.
        return onSizeWindow && index > 0 && value > 0 && value <= INT32_MAX &&
                onSizeWindow(index, static_cast<int>(value))
            ? 1
            : 0;
    case audioMasterGetSampleRate: return static_cast<intptr_t>(sampleRate);
    case audioMasterGetBlockSize: return blockSize;
    case audioMasterGetCurrentProcessLevel:
        // 1: user-interface thread, 2: real-time processing thread.
        return GetCurrentThreadId() == processingThread.load(std::memory_order_relaxed) ? 2 : 1;
    case audioMasterGetVendorString: copyText(ptr, "Qarn", 64); return ptr ? 1 : 0;
    case audioMasterGetProductString: copyText(ptr, "Qarn Host", 64); return ptr ? 1 : 0;
    case audioMasterGetVendorVersion: return 1;
    case audioMasterGetLanguage: return 1; // English
    case audioMasterCanDo: return hostCanDo(static_cast<const char*>(ptr)) ? 1 : 0;
    default: return 0;
    }
}
