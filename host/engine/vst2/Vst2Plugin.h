#pragma once
// A VST 2 plug-in loaded the way any host does (its `VSTPluginMain` or
// `main` export called with our audioMasterCallback), driven through the
// session's format-neutral interface, answering the plug-in's requests of
// its host: version 2400, MIDI wanted, the time info of the block being
// processed, idle, window size and the usual queries.
//
// One plug-in per process: the callback reaches this object through a
// process-wide pointer, since the plug-in calls it before `main` returns.
#include "framework/Vst2Abi.h"
#include "host/engine/LoadedPlugin.h"
#include "host/engine/PluginLibrary.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Vst2Plugin final : public LoadedPlugin {
public:
    // Calls the library's entry and opens the effect (effOpen, the rate and
    // the block size). Null with a message when the library exports no entry
    // or the entry answers no valid effect.
    static std::unique_ptr<Vst2Plugin> open(std::unique_ptr<PluginLibrary> library, const std::string& path,
        double sampleRate, int32_t blockSize, std::string& error);
    // effClose, then the binary is unloaded.
    ~Vst2Plugin() override;

    Vst2Plugin(const Vst2Plugin&) = delete;
    Vst2Plugin& operator=(const Vst2Plugin&) = delete;

    bool switchOn(std::string& error) override;
    void switchOff() override;
    void process(VstEvents* events, const VstTimeInfo& time, int32_t frames) override;
    intptr_t openEditor(void* parent) override;
    void idleEditor() override;
    void closeEditor() override;
    bool editorSize(int& width, int& height) override;
    bool selectProgram(int32_t program) override;
    int32_t selectedProgram() override;
    std::string programName() override;
    void* moduleHandle() const override { return library->handle(); }

    // What only VST 2 has, for the script's questions about the effect.
    AEffect* effect() const { return plugin; }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    // The text the plug-in writes for a dispatcher opcode (names, vendor and
    // product strings), into a generous buffer.
    std::string textAnswer(int32_t opcode);
    int32_t wantMidiRequests() const { return wantMidiCount.load(std::memory_order_relaxed); }

private:
    Vst2Plugin(std::unique_ptr<PluginLibrary> library, double sampleRate, int32_t blockSize);

    static intptr_t VSTCALLBACK hostCallback(
        AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
    intptr_t answer(int32_t opcode, int32_t index, intptr_t value, void* ptr);
    VstTimeInfo* timeForCaller();

    std::unique_ptr<PluginLibrary> library;
    double sampleRate;
    int32_t blockSize;
    AEffect* plugin = nullptr;
    bool switchedOn = false;

    VstTimeInfo blockTime{};
    VstTimeInfo otherTime{};
    std::atomic<bool> playing{false};
    std::atomic<int32_t> wantMidiCount{0};

    // Silent audio buffers for the audio call, made before processing starts.
    std::vector<float> silence;
    std::vector<float*> inputPointers;
    std::vector<float*> outputPointers;
};
