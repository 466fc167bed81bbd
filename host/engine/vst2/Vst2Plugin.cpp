#include "host/engine/vst2/Vst2Plugin.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

Vst2Plugin* currentHost = nullptr;

// Set on the thread that processes blocks, so that the plug-in's questions
// about time and process level are answered for the thread that asks.
thread_local bool onProcessingThread = false;

typedef AEffect*(VSTCALLBACK* PluginEntry)(audioMasterCallback host);

constexpr intptr_t hostVersion = 2400;
constexpr int mostChannels = 64;
constexpr int largestSide = 4096;

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

Vst2Plugin::Vst2Plugin(std::unique_ptr<PluginLibrary> library, double sampleRate, int32_t blockSize)
    : library(std::move(library))
    , sampleRate(sampleRate)
    , blockSize(blockSize)
{
    otherTime.sampleRate = sampleRate;
    otherTime.tempo = 120.0;
    blockTime = otherTime;
}

std::unique_ptr<Vst2Plugin> Vst2Plugin::open(std::unique_ptr<PluginLibrary> library, const std::string& path,
    double sampleRate, int32_t blockSize, std::string& error)
{
    void* entry = library->symbol("VSTPluginMain");
    if (!entry)
        entry = library->symbol("main");
    if (!entry) {
        error = path + ": not a VST 2 plug-in, it exports no \"main\"";
        return nullptr;
    }
    std::unique_ptr<Vst2Plugin> host(new Vst2Plugin(std::move(library), sampleRate, blockSize));
    currentHost = host.get();
    AEffect* created = reinterpret_cast<PluginEntry>(entry)(hostCallback);
    if (!created || created->magic != kEffectMagic || !created->dispatcher) {
        error = path +
            (created ? ": the plug-in's main answered a record that is not an effect"
                     : ": the plug-in's main answered no effect");
        return nullptr;
    }
    host->plugin = created;
    host->dispatch(effOpen);
    host->dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    host->dispatch(effSetBlockSize, 0, blockSize);
    return host;
}

Vst2Plugin::~Vst2Plugin()
{
    switchOff();
    if (plugin) {
        dispatch(effClose);
        plugin = nullptr;
    }
    library->unload();
    if (currentHost == this)
        currentHost = nullptr;
}

bool Vst2Plugin::switchOn(std::string&)
{
    const int inputs = std::clamp<int32_t>(plugin->numInputs, 0, mostChannels);
    const int outputs = std::clamp<int32_t>(plugin->numOutputs, 0, mostChannels);
    silence.assign(static_cast<size_t>(inputs + outputs + 1) * blockSize, 0.0f);
    inputPointers.assign(static_cast<size_t>(inputs) + 1, nullptr);
    outputPointers.assign(static_cast<size_t>(outputs) + 1, nullptr);
    for (int i = 0; i < inputs; ++i)
        inputPointers[i] = silence.data() + static_cast<size_t>(i) * blockSize;
    for (int i = 0; i < outputs; ++i)
        outputPointers[i] = silence.data() + static_cast<size_t>(inputs + i) * blockSize;
    dispatch(effMainsChanged, 0, 1);
    switchedOn = true;
    return true;
}

void Vst2Plugin::switchOff()
{
    if (switchedOn) {
        dispatch(effMainsChanged, 0, 0);
        switchedOn = false;
    }
}

void Vst2Plugin::process(VstEvents* events, const VstTimeInfo& time, int32_t frames)
{
    onProcessingThread = true;
    playing.store((time.flags & kVstTransportPlaying) != 0, std::memory_order_relaxed);
    blockTime = time;
    if (events)
        dispatch(effProcessEvents, 0, 0, events);
    // The audio call every block, as an audio device drives it; the plug-in
    // may have written into the buffers last time, so they start silent again.
    std::fill(silence.begin(), silence.end(), 0.0f);
    if ((plugin->flags & effFlagsCanReplacing) && plugin->processReplacing)
        plugin->processReplacing(plugin, inputPointers.data(), outputPointers.data(), frames);
    else if (plugin->process)
        plugin->process(plugin, inputPointers.data(), outputPointers.data(), frames);
}

intptr_t Vst2Plugin::openEditor(void* parent)
{
    return dispatch(effEditOpen, 0, 0, parent);
}

void Vst2Plugin::idleEditor()
{
    dispatch(effEditIdle);
}

void Vst2Plugin::closeEditor()
{
    dispatch(effEditClose);
}

bool Vst2Plugin::editorSize(int& width, int& height)
{
    ERect* rect = nullptr;
    if (!dispatch(effEditGetRect, 0, 0, &rect) || !rect)
        return false;
    width = rect->right - rect->left;
    height = rect->bottom - rect->top;
    return width > 0 && height > 0 && width <= largestSide && height <= largestSide;
}

bool Vst2Plugin::selectProgram(int32_t program)
{
    dispatch(effSetProgram, 0, program);
    return false;
}

int32_t Vst2Plugin::selectedProgram()
{
    return static_cast<int32_t>(dispatch(effGetProgram));
}

std::string Vst2Plugin::programName()
{
    return textAnswer(effGetProgramName);
}

std::string Vst2Plugin::textAnswer(int32_t opcode)
{
    char name[256] = {};
    dispatch(opcode, 0, 0, name);
    name[sizeof name - 1] = '\0';
    return name;
}

intptr_t Vst2Plugin::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    return plugin ? plugin->dispatcher(plugin, opcode, index, value, ptr, opt) : 0;
}

VstTimeInfo* Vst2Plugin::timeForCaller()
{
    if (onProcessingThread)
        return &blockTime;
    otherTime.flags = kVstTempoValid | (playing.load(std::memory_order_relaxed) ? kVstTransportPlaying : 0);
    return &otherTime;
}

intptr_t VSTCALLBACK Vst2Plugin::hostCallback(AEffect*, int32_t opcode, int32_t index, intptr_t value, void* ptr, float)
{
    if (opcode == audioMasterVersion)
        return hostVersion;
    return currentHost ? currentHost->answer(opcode, index, value, ptr) : 0;
}

intptr_t Vst2Plugin::answer(int32_t opcode, int32_t index, intptr_t value, void* ptr)
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
