#pragma once
// Loads a VST 2 plug-in the way any host does (the binary loaded, its
// `main` export called with our audioMasterCallback) and answers the
// plug-in's requests of its host: version 2400, MIDI wanted, the time info of
// the block being processed, idle, window size and the usual queries.
//
// One plug-in per process: the callback reaches this object through a
// process-wide pointer, since the plug-in calls it before `main` returns.
#include "framework/Vst2Abi.h"
#include "host/engine/PluginLibrary.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

class PluginHost {
public:
    PluginHost(double sampleRate, int32_t blockSize);
    ~PluginHost();

    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Loads the binary and calls its entry. Answers false with a message when
    // the platform's loader refuses it (host/engine/PluginLibrary.h) or the
    // entry answers no valid effect.
    bool load(const std::string& path, std::string& error);
    // effClose, then the binary is unloaded. Harmless when nothing is loaded.
    void unload();

    AEffect* effect() const { return plugin; }
    void* moduleHandle() const { return library.handle(); }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);

    // Processing thread, before each block: the time info the plug-in gets
    // when it asks during that block. Other threads asking get a time info
    // without the transport-changed bit.
    void setBlockTime(const VstTimeInfo& time);

    int32_t wantMidiRequests() const { return wantMidiCount.load(std::memory_order_relaxed); }

    // Called when the plug-in asks for another window size (audioMasterSizeWindow).
    std::function<bool(int width, int height)> onSizeWindow;

private:
    static intptr_t VSTCALLBACK hostCallback(
        AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
    intptr_t answer(int32_t opcode, int32_t index, intptr_t value, void* ptr);
    VstTimeInfo* timeForCaller();

    double sampleRate;
    int32_t blockSize;
    PluginLibrary library;
    AEffect* plugin = nullptr;

    VstTimeInfo blockTime{};
    VstTimeInfo otherTime{};
    std::atomic<bool> playing{false};
    std::atomic<int32_t> wantMidiCount{0};
};
