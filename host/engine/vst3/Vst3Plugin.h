#pragma once
// A VST 3 plug-in loaded the way VST 3 hosts load one: the module's entry
// called, the first audio-module class of its factory with an event input
// made and initialised with our application context, its edit controller
// beside it, driven through the session's format-neutral interface. The
// program is the controller's "Instrument" parameter; the editor is its plug
// view, attached to the host's window within our frame.
#include "formats/vst3/abi/Controller.h"
#include "formats/vst3/abi/Factory.h"
#include "formats/vst3/abi/Processor.h"
#include "host/engine/LoadedPlugin.h"
#include "host/engine/PluginLibrary.h"
#include "host/engine/vst3/Vst3BlockLists.h"
#include "host/engine/vst3/Vst3Frame.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Vst3Plugin final : public LoadedPlugin {
public:
    // Null with a message when the module exports no factory, its factory
    // holds no audio-module class, or none can be made that takes notes.
    static std::unique_ptr<Vst3Plugin> open(std::unique_ptr<PluginLibrary> library, const std::string& path,
        double sampleRate, int32_t blockSize, std::string& error);
    // The component and controller terminated and released, the factory
    // released, the module's exit called, the binary unloaded.
    ~Vst3Plugin() override;

    Vst3Plugin(const Vst3Plugin&) = delete;
    Vst3Plugin& operator=(const Vst3Plugin&) = delete;

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
    void useEventLoop(HostWindow* window) override;
    void* moduleHandle() const override { return library->handle(); }

private:
    Vst3Plugin(std::unique_ptr<PluginLibrary> library, double sampleRate, int32_t blockSize);
    bool enterModule(const std::string& path, std::string& error);
    bool makeComponent(std::string& reason);
    bool makeInstance(const vst3::TUID cid, std::string& reason);
    void findController(const vst3::TUID componentCid);
    void findInstrument();
    vst3::ParamValue normalised(int32_t program) const;

    std::unique_ptr<PluginLibrary> library;
    double sampleRate;
    int32_t blockSize;
    bool (*moduleExit)() = nullptr;
    vst3::IPluginFactory* factory = nullptr;
    vst3::IComponent* component = nullptr;
    vst3::IAudioProcessor* processor = nullptr;
    vst3::IEditController* controller = nullptr;
    // Whether the controller was made apart from the component, so is
    // terminated apart.
    bool separateController = false;
    Vst3Application application;
    Vst3Frame frame;

    bool hasInstrument = false;
    vst3::ParamID instrument = 0;
    int32_t instrumentSteps = 0;

    vst3::IPlugView* view = nullptr;

    bool active = false;
    // The processor's silent audio outputs, one buffer a channel.
    std::vector<std::vector<float>> channels;
    std::vector<float*> channelPointers;
    std::vector<vst3::AudioBusBuffers> outputs;
    Vst3EventList events;
    Vst3ParameterChanges changes;
    // The program chosen while switched on, for the next block; -1: none.
    std::atomic<int32_t> pendingProgram{-1};
};
