// What a VST 3 host hands the plug-in, from the input: a block of events of
// any kind and content and a change of the "Instrument" parameter to any
// value for `process`, and the rest as the stream the component's setState
// and the controller's setComponentState read, a chunk of the length the
// first byte chooses at a time. Nothing crashes; a view the component takes
// is saved again exactly, and the controller takes the same bytes.
#include "formats/vst3/Vst3Module.h"
#include "formats/vst3/abi/Controller.h"
#include "tests/vst3/Vst3TestHost.h"

#include <cstdlib>
#include <cstring>

using namespace vst3;

namespace {

const Vst3Platform platform = {nullptr, kPlatformTypeX11EmbedWindowID, nullptr, nullptr};

template <typename Interface> Interface* make(IPluginFactory& factory, const char* cid, const Uid& iid)
{
    void* object = nullptr;
    if (factory.createInstance(cid, iid.bytes, &object) != kResultOk || !object)
        std::abort();
    return static_cast<Interface*>(object);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static IPluginFactory& factory = *vst3Factory(platform);
    static PClassInfo component = {};
    static const bool described = factory.getClassInfo(0, &component) == kResultOk;
    if (!described || size < 2 + sizeof(double))
        return 0;

    // First byte: the stream's chunk; second: how many events of 16 bytes of
    // input each, repeated over the event's 48, come after the parameter's
    // value and before the stream's bytes.
    const int32_t chunk = data[0] % 32 + 1;
    int count = data[1] % 16;
    double value = 0.0;
    std::memcpy(&value, data + 2, sizeof value);
    const uint8_t* next = data + 2 + sizeof value;
    size_t left = size - 2 - sizeof value;
    TestEvents events;
    for (; count > 0 && left >= 16; --count, next += 16, left -= 16) {
        Event event = {};
        auto* bytes = reinterpret_cast<uint8_t*>(&event);
        for (size_t i = 0; i < sizeof event; ++i)
            bytes[i] = next[i % 16];
        events.events.push_back(event);
    }
    TestChanges changes;
    changes.change(0, {value});

    IComponent* plugin = make<IComponent>(factory, component.cid, IComponent_iid);
    IAudioProcessor* processor = nullptr;
    if (plugin->queryInterface(IAudioProcessor_iid.bytes, reinterpret_cast<void**>(&processor)) != kResultOk)
        std::abort();
    TUID controllerId = {};
    plugin->getControllerClassId(controllerId);
    IEditController* controller = make<IEditController>(factory, controllerId, IEditController_iid);
    plugin->initialize(nullptr);
    controller->initialize(nullptr);
    ProcessSetup setup = {0, kSample32, 64, 48000.0};
    processor->setupProcessing(setup);
    plugin->setActive(1);
    processor->setProcessing(1);
    ProcessData block = {};
    block.numSamples = 64;
    block.inputEvents = &events;
    block.inputParameterChanges = &changes;
    processor->process(block);
    processor->setProcessing(0);
    plugin->setActive(0);

    const std::vector<uint8_t> stateBytes(next, next + left);
    TestStream stream(stateBytes);
    stream.piece = chunk;
    if (plugin->setState(&stream) == kResultOk) {
        TestStream saved;
        TestStream forController(stateBytes);
        if (plugin->getState(&saved) != kResultOk || saved.bytes != stateBytes ||
            controller->setComponentState(&forController) != kResultOk)
            std::abort();
    }
    controller->terminate();
    controller->release();
    processor->release();
    plugin->terminate();
    plugin->release();
    return 0;
}
