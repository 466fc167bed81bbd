#include "host/engine/PluginHost.h"

#include <cstdint>
#include <cstring>

namespace {

PluginHost* currentHost = nullptr;

// Set on the thread that processes blocks, so that the plug-in's questions
// about time and process level are answered for the thread that asks.
thread_local bool onProcessingThread = false;

typedef AEffect*(VSTCALLBACK* PluginEntry)(audioMasterCallback host);

constexpr intptr_t hostVersion = 2400;

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
    if (!library.load(path, error))
        return false;
    currentHost = this;
    AEffect* created = reinterpret_cast<PluginEntry>(library.entry())(hostCallback);
    if (!created || created->magic != kEffectMagic || !created->dispatcher) {
        error = path +
            (created ? ": the plug-in's main answered a record that is not an effect"
                     : ": the plug-in's main answered no effect");
        library.unload();
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
    library.unload();
    if (currentHost == this)
        currentHost = nullptr;
}

intptr_t PluginHost::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    return plugin ? plugin->dispatcher(plugin, opcode, index, value, ptr, opt) : 0;
}

void PluginHost::setBlockTime(const VstTimeInfo& time)
{
    onProcessingThread = true;
    playing.store((time.flags & kVstTransportPlaying) != 0, std::memory_order_relaxed);
    blockTime = time;
}

VstTimeInfo* PluginHost::timeForCaller()
{
    if (onProcessingThread)
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
        return onProcessingThread ? 2 : 1;
    case audioMasterGetVendorString: copyText(ptr, "Qarn", 64); return ptr ? 1 : 0;
    case audioMasterGetProductString: copyText(ptr, "Qarn Host", 64); return ptr ? 1 : 0;
    case audioMasterGetVendorVersion: return 1;
    case audioMasterGetLanguage: return 1; // English
    case audioMasterCanDo: return hostCanDo(static_cast<const char*>(ptr)) ? 1 : 0;
    default: return 0;
    }
}
