#include "host/engine/vst3/Vst3Plugin.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using GetFactory = vst3::IPluginFactory* (*)();
// Linux's entry is handed the library's handle; Windows' nothing.
using ModuleEntry = bool (*)(void*);
using InitDll = bool (*)();
using ModuleExit = bool (*)();

// The transport's time as VST 3 hands it over with each block.
vst3::ProcessContext processContext(const VstTimeInfo& time)
{
    vst3::ProcessContext context{};
    context.state = vst3::ProcessContext::kProjectTimeMusicValid | vst3::ProcessContext::kTempoValid |
        vst3::ProcessContext::kTimeSigValid;
    if (time.flags & kVstTransportPlaying)
        context.state |= vst3::ProcessContext::kPlaying;
    context.sampleRate = time.sampleRate;
    context.projectTimeSamples = std::llround(time.samplePos);
    context.projectTimeMusic = time.ppqPos;
    context.tempo = time.tempo;
    context.timeSigNumerator = time.timeSigNumerator;
    context.timeSigDenominator = time.timeSigDenominator;
    return context;
}

template <typename Interface> Interface* query(vst3::FUnknown* object, const vst3::Uid& iid)
{
    void* found = nullptr;
    if (!object || object->queryInterface(iid.bytes, &found) != vst3::kResultOk)
        return nullptr;
    return static_cast<Interface*>(found);
}

bool named(const vst3::String128 title, const char* name)
{
    size_t i = 0;
    for (; name[i]; ++i) {
        if (title[i] != static_cast<vst3::char16>(name[i]))
            return false;
    }
    return title[i] == 0;
}

// The text of a parameter's value, ASCII kept and anything else as '?'.
std::string narrow(const vst3::String128 text)
{
    std::string made;
    for (size_t i = 0; i < 128 && text[i]; ++i)
        made += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
    return made;
}

constexpr int largestSide = 4096;
constexpr int32_t kRealtime = 0;

} // namespace

Vst3Plugin::Vst3Plugin(std::unique_ptr<PluginLibrary> library, double sampleRate, int32_t blockSize)
    : library(std::move(library))
    , sampleRate(sampleRate)
    , blockSize(blockSize)
{
    frame.resizeWindow = [this](int width, int height) { return onSizeWindow && onSizeWindow(width, height); };
}

std::unique_ptr<Vst3Plugin> Vst3Plugin::open(std::unique_ptr<PluginLibrary> library, const std::string& path,
    double sampleRate, int32_t blockSize, std::string& error)
{
    const auto getFactory = reinterpret_cast<GetFactory>(library->symbol("GetPluginFactory"));
    if (!getFactory) {
        error = path + ": not a VST 3 plug-in, it exports no \"GetPluginFactory\"";
        return nullptr;
    }
    std::unique_ptr<Vst3Plugin> loaded(new Vst3Plugin(std::move(library), sampleRate, blockSize));
    if (!loaded->enterModule(path, error))
        return nullptr;
    loaded->factory = getFactory();
    std::string reason = "its VST 3 module offers no factory";
    if (!loaded->factory || !loaded->makeComponent(reason)) {
        error = path + ": " + reason;
        return nullptr;
    }
    loaded->findInstrument();
    return loaded;
}

bool Vst3Plugin::enterModule(const std::string& path, std::string& error)
{
    // Each platform's pair; a module with neither needs no entry.
    bool entered = true;
    if (auto entry = reinterpret_cast<ModuleEntry>(library->symbol("ModuleEntry"))) {
        entered = entry(library->handle());
        moduleExit = reinterpret_cast<ModuleExit>(library->symbol("ModuleExit"));
    } else if (auto init = reinterpret_cast<InitDll>(library->symbol("InitDll"))) {
        entered = init();
        moduleExit = reinterpret_cast<ModuleExit>(library->symbol("ExitDll"));
    }
    if (!entered) {
        moduleExit = nullptr;
        error = path + ": the VST 3 module's entry failed";
    }
    return entered;
}

bool Vst3Plugin::makeComponent(std::string& reason)
{
    if (auto* factory3 = query<vst3::IPluginFactory3>(factory, vst3::IPluginFactory3_iid)) {
        factory3->setHostContext(&application);
        factory3->release();
    }
    const int32_t count = factory->countClasses();
    int32_t modules = 0;
    for (int32_t i = 0; i < count; ++i) {
        vst3::PClassInfo info{};
        if (factory->getClassInfo(i, &info) != vst3::kResultOk ||
            std::strncmp(info.category, vst3::kVstAudioEffectClass, sizeof info.category) != 0)
            continue;
        ++modules;
        if (makeInstance(info.cid, reason))
            return true;
    }
    if (modules == 0)
        reason = "its VST 3 factory holds no audio-module class";
    return false;
}

bool Vst3Plugin::makeInstance(const vst3::TUID cid, std::string& reason)
{
    void* made = nullptr;
    if (factory->createInstance(cid, vst3::IComponent_iid.bytes, &made) != vst3::kResultOk || !made) {
        reason = "its VST 3 factory made none of its audio modules";
        return false;
    }
    component = static_cast<vst3::IComponent*>(made);
    processor = query<vst3::IAudioProcessor>(component, vst3::IAudioProcessor_iid);
    const bool initialised = component->initialize(&application) == vst3::kResultOk;
    if (initialised && processor && component->getBusCount(vst3::kEvent, vst3::kInput) > 0) {
        findController(cid);
        return true;
    }
    reason = "none of its VST 3 audio modules takes notes";
    if (processor)
        processor->release();
    processor = nullptr;
    if (initialised)
        component->terminate();
    component->release();
    component = nullptr;
    return false;
}

void Vst3Plugin::findController(const vst3::TUID componentCid)
{
    controller = query<vst3::IEditController>(component, vst3::IEditController_iid);
    if (controller)
        return;
    vst3::TUID cid{};
    void* made = nullptr;
    if (component->getControllerClassId(cid) != vst3::kResultOk || std::memcmp(cid, componentCid, sizeof cid) == 0 ||
        factory->createInstance(cid, vst3::IEditController_iid.bytes, &made) != vst3::kResultOk || !made)
        return;
    controller = static_cast<vst3::IEditController*>(made);
    if (controller->initialize(&application) != vst3::kResultOk) {
        controller->release();
        controller = nullptr;
        return;
    }
    separateController = true;
}

void Vst3Plugin::findInstrument()
{
    const int32_t count = controller ? controller->getParameterCount() : 0;
    for (int32_t i = 0; i < count; ++i) {
        vst3::ParameterInfo info{};
        if (controller->getParameterInfo(i, info) == vst3::kResultOk && named(info.title, "Instrument")) {
            instrument = info.id;
            instrumentSteps = info.stepCount;
            hasInstrument = instrumentSteps > 0;
            return;
        }
    }
}

Vst3Plugin::~Vst3Plugin()
{
    closeEditor();
    switchOff();
    useEventLoop(nullptr);
    if (controller) {
        if (separateController)
            controller->terminate();
        controller->release();
    }
    if (processor)
        processor->release();
    if (component) {
        component->terminate();
        component->release();
    }
    if (factory)
        factory->release();
    if (moduleExit)
        moduleExit();
    library->unload();
}

bool Vst3Plugin::switchOn(std::string& error)
{
    // Every audio output gets silent buffers the processor may write.
    outputs.clear();
    channels.clear();
    channelPointers.clear();
    const int32_t buses = component->getBusCount(vst3::kAudio, vst3::kOutput);
    std::vector<int32_t> widths;
    for (int32_t bus = 0; bus < buses; ++bus) {
        vst3::BusInfo info{};
        const int32_t width = component->getBusInfo(vst3::kAudio, vst3::kOutput, bus, info) == vst3::kResultOk
            ? std::max(info.channelCount, 0)
            : 0;
        widths.push_back(width);
        for (int32_t c = 0; c < width; ++c)
            channels.emplace_back(static_cast<size_t>(blockSize), 0.0f);
    }
    for (std::vector<float>& channel : channels)
        channelPointers.push_back(channel.data());
    size_t first = 0;
    for (const int32_t width : widths) {
        vst3::AudioBusBuffers bus{};
        bus.numChannels = width;
        bus.channelBuffers32 = width > 0 ? &channelPointers[first] : nullptr;
        first += static_cast<size_t>(width);
        outputs.push_back(bus);
    }
    events.reserve(static_cast<size_t>(blockSize) * 2);
    component->activateBus(vst3::kEvent, vst3::kInput, 0, 1);
    vst3::ProcessSetup setup{kRealtime, vst3::kSample32, blockSize, sampleRate};
    if (processor->setupProcessing(setup) != vst3::kResultOk || component->setActive(1) != vst3::kResultOk) {
        error = "the VST 3 plug-in refused to be activated";
        return false;
    }
    active = true;
    processor->setProcessing(1);
    return true;
}

void Vst3Plugin::switchOff()
{
    if (!active)
        return;
    processor->setProcessing(0);
    component->setActive(0);
    active = false;
}

void Vst3Plugin::process(VstEvents* block, const VstTimeInfo& time, int32_t frames)
{
    events.clear();
    changes.clear();
    if (block)
        events.addMidi(*block);
    const int32_t program = pendingProgram.exchange(-1, std::memory_order_acquire);
    if (program >= 0)
        changes.change(instrument, normalised(program));
    vst3::ProcessData data{};
    data.processMode = kRealtime;
    data.symbolicSampleSize = vst3::kSample32;
    data.numSamples = frames;
    data.numInputs = 0;
    data.numOutputs = static_cast<int32_t>(outputs.size());
    data.inputs = nullptr;
    data.outputs = outputs.empty() ? nullptr : outputs.data();
    data.inputParameterChanges = &changes;
    data.inputEvents = &events;
    vst3::ProcessContext context = processContext(time);
    data.processContext = &context;
    processor->process(data);
}

intptr_t Vst3Plugin::openEditor(void* parent)
{
    if (!controller || view)
        return 0;
    view = controller->createView(vst3::kEditorViewType);
    if (!view)
        return 0;
    // The plug-in's view says which kind of this platform's window it takes.
    const char* type = nullptr;
    for (const char* kind : {vst3::kPlatformTypeX11EmbedWindowID, vst3::kPlatformTypeHWND}) {
        if (view->isPlatformTypeSupported(kind) == vst3::kResultTrue) {
            type = kind;
            break;
        }
    }
    if (!type)
        return 0;
    view->setFrame(&frame);
    return view->attached(parent, type) == vst3::kResultOk ? 1 : 0;
}

void Vst3Plugin::idleEditor()
{
    frame.runLoop.runTimers();
}

void Vst3Plugin::closeEditor()
{
    if (!view)
        return;
    view->removed();
    view->setFrame(nullptr);
    view->release();
    view = nullptr;
}

bool Vst3Plugin::editorSize(int& width, int& height)
{
    vst3::ViewRect rect{};
    if (!view || view->getSize(&rect) != vst3::kResultOk)
        return false;
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0 || w > largestSide || h > largestSide)
        return false;
    width = w;
    height = h;
    return true;
}

vst3::ParamValue Vst3Plugin::normalised(int32_t program) const
{
    return std::min(std::max(static_cast<double>(program) / instrumentSteps, 0.0), 1.0);
}

bool Vst3Plugin::selectProgram(int32_t program)
{
    if (!hasInstrument)
        return false;
    if (active) {
        pendingProgram.store(program, std::memory_order_release);
        return true;
    }
    // Not yet processing: the controller takes it as the host's edit.
    controller->setParamNormalized(instrument, normalised(program));
    return false;
}

int32_t Vst3Plugin::selectedProgram()
{
    if (!hasInstrument)
        return 0;
    return static_cast<int32_t>(std::lround(controller->getParamNormalized(instrument) * instrumentSteps));
}

std::string Vst3Plugin::programName()
{
    vst3::String128 text{};
    if (!hasInstrument ||
        controller->getParamStringByValue(instrument, controller->getParamNormalized(instrument), text) !=
            vst3::kResultOk)
        return "";
    text[127] = 0;
    return narrow(text);
}

void Vst3Plugin::useEventLoop(HostWindow* window)
{
    frame.runLoop.useEventLoop(window);
}
