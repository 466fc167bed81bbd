#include "tests/vst3/Vst3Plugin.h"

using namespace vst3;

namespace {

template <typename Interface> Interface* make(IPluginFactory& factory, const TUID cid, const Uid& iid)
{
    void* object = nullptr;
    return factory.createInstance(cid, iid.bytes, &object) == kResultOk ? static_cast<Interface*>(object) : nullptr;
}

} // namespace

Vst3Instance::Vst3Instance(IPluginFactory& factory)
{
    PClassInfo info = {};
    EXPECT_EQ(factory.getClassInfo(0, &info), kResultOk);
    component = make<IComponent>(factory, info.cid, IComponent_iid);
    if (!component)
        return;
    EXPECT_EQ(component->initialize(&application), kResultOk);
    EXPECT_EQ(component->queryInterface(IAudioProcessor_iid.bytes, reinterpret_cast<void**>(&processor)), kResultOk);
    TUID controllerId = {};
    EXPECT_EQ(component->getControllerClassId(controllerId), kResultOk);
    controller = make<IEditController>(factory, controllerId, IEditController_iid);
    if (controller) {
        EXPECT_EQ(controller->initialize(&application), kResultOk);
    }
}

Vst3Instance::~Vst3Instance()
{
    if (controller) {
        controller->terminate();
        controller->release();
    }
    if (processor)
        processor->release();
    if (component) {
        component->setActive(0);
        component->terminate();
        component->release();
    }
}

bool Vst3Instance::start()
{
    ProcessSetup setup = {0, kSample32, 512, 44100.0};
    return processor && processor->setupProcessing(setup) == kResultOk && component->setActive(1) == kResultOk &&
        processor->setProcessing(1) == kResultOk;
}

tresult Vst3Instance::process(IEventList* events, IParameterChanges* changes, ProcessContext* context)
{
    ProcessData data = {};
    data.symbolicSampleSize = kSample32;
    data.numSamples = 512;
    data.inputEvents = events;
    data.inputParameterChanges = changes;
    data.processContext = context;
    return processor->process(data);
}

std::vector<uint8_t> Vst3Instance::state() const
{
    TestStream stream;
    EXPECT_EQ(component->getState(&stream), kResultOk);
    return stream.bytes;
}
