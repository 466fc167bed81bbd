#include "formats/vst3/Vst3Component.h"

#include "formats/vst3/Vst3Ids.h"
#include "formats/vst3/Vst3Instrument.h"
#include "formats/vst3/Vst3NoteEvents.h"
#include "formats/vst3/Vst3Streams.h"
#include "formats/vst3/Vst3Text.h"
#include "formats/vst3/abi/Factory.h"

#include <cstring>

using namespace vst3;

namespace {

TransportPosition positionOf(const ProcessContext& context)
{
    return {(context.state & ProcessContext::kPlaying) != 0, true, context.projectTimeSamples};
}

bool isEventInput(MediaType type, BusDirection direction, int32_t index)
{
    return type == kEvent && direction == kInput && index == 0;
}

// The last value the block's changes give the instrument, if any.
void applyInstrumentChanges(ViewerCore& core, IParameterChanges& changes)
{
    const int32_t count = changes.getParameterCount();
    for (int32_t index = 0; index < count; ++index) {
        IParamValueQueue* queue = changes.getParameterData(index);
        const int32_t points = queue ? queue->getPointCount() : 0;
        if (points <= 0 || queue->getParameterId() != instrumentParamId)
            continue;
        int32_t offset = 0;
        ParamValue value = 0.0;
        if (queue->getPoint(points - 1, offset, value) == kResultOk)
            core.selectInstrument(instrumentOfNormalized(value));
    }
}

} // namespace

Vst3Component::Vst3Component() = default;

Vst3Component::~Vst3Component()
{
    if (core.logsAtClose())
        writeDiagnosticLine();
}

void Vst3Component::writeDiagnosticLine() const
{
    // VST 3 names the host's product only.
    core.writeDiagnosticLine({"", hostName, sampleRate, blockSize});
}

tresult Vst3Component::queryInterface(const TUID iid, void** object)
{
    if (!object)
        return kInvalidArgument;
    if (FUnknown_iid.matches(iid) || IPluginBase_iid.matches(iid) || IComponent_iid.matches(iid))
        *object = static_cast<IComponent*>(this);
    else if (IAudioProcessor_iid.matches(iid))
        *object = static_cast<IAudioProcessor*>(this);
    else {
        *object = nullptr;
        return kNoInterface;
    }
    addRef();
    return kResultOk;
}

uint32_t Vst3Component::addRef()
{
    return refs.add();
}

uint32_t Vst3Component::release()
{
    const uint32_t left = refs.drop();
    if (left == 0)
        delete this;
    return left;
}

tresult Vst3Component::initialize(FUnknown* context)
{
    if (initialized)
        return kResultFalse;
    IHostApplication* host = nullptr;
    if (context && context->queryInterface(IHostApplication_iid.bytes, reinterpret_cast<void**>(&host)) == kResultOk &&
        host) {
        String128 name = {};
        if (host->getName(name) == kResultOk)
            copyFromChar16(hostName, sizeof hostName, name);
        host->release();
    }
    initialized = true;
    return kResultOk;
}

tresult Vst3Component::terminate()
{
    initialized = false;
    return kResultOk;
}

tresult Vst3Component::getControllerClassId(TUID classId)
{
    if (!classId)
        return kInvalidArgument;
    std::memcpy(classId, controllerClassId.bytes, sizeof controllerClassId.bytes);
    return kResultOk;
}

tresult Vst3Component::setIoMode(IoMode)
{
    return kNotImplemented;
}

int32_t Vst3Component::getBusCount(MediaType type, BusDirection direction)
{
    return isEventInput(type, direction, 0) ? 1 : 0;
}

tresult Vst3Component::getBusInfo(MediaType type, BusDirection direction, int32_t index, BusInfo& bus)
{
    if (!isEventInput(type, direction, index))
        return kInvalidArgument;
    std::memset(&bus, 0, sizeof bus);
    bus.mediaType = type;
    bus.direction = direction;
    // All sixteen MIDI channels: practice scoring listens on the last.
    bus.channelCount = 16;
    copyToChar16(bus.name, 128, "Notes");
    bus.busType = kMain;
    bus.flags = BusInfo::kDefaultActive;
    return kResultOk;
}

tresult Vst3Component::getRoutingInfo(RoutingInfo&, RoutingInfo&)
{
    return kNotImplemented;
}

tresult Vst3Component::activateBus(MediaType type, BusDirection direction, int32_t index, TBool)
{
    return isEventInput(type, direction, index) ? kResultOk : kInvalidArgument;
}

tresult Vst3Component::setActive(TBool state)
{
    active = state != 0;
    if (active)
        transport.forget();
    return kResultOk;
}

tresult Vst3Component::setState(IBStream* state)
{
    uint8_t bytes[savedViewSize];
    size_t size = 0;
    if (!state || !readWhole(*state, bytes, sizeof bytes, size))
        return kInvalidArgument;
    return core.restoreView(bytes, size) ? kResultOk : kResultFalse;
}

tresult Vst3Component::getState(IBStream* state)
{
    return state && writeSavedView(*state) ? kResultOk : kResultFalse;
}

// No audio at all: only an arrangement of no buses fits.
tresult Vst3Component::setBusArrangements(
    SpeakerArrangement*, int32_t inputCount, SpeakerArrangement*, int32_t outputCount)
{
    return inputCount == 0 && outputCount == 0 ? kResultOk : kResultFalse;
}

tresult Vst3Component::getBusArrangement(BusDirection, int32_t, SpeakerArrangement&)
{
    return kInvalidArgument;
}

tresult Vst3Component::canProcessSampleSize(int32_t symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultOk : kResultFalse;
}

uint32_t Vst3Component::getLatencySamples()
{
    return 0;
}

tresult Vst3Component::setupProcessing(ProcessSetup& setup)
{
    if (active)
        return kResultFalse;
    sampleRate = static_cast<float>(setup.sampleRate);
    blockSize = setup.maxSamplesPerBlock;
    return kResultOk;
}

tresult Vst3Component::setProcessing(TBool)
{
    return kResultOk;
}

tresult Vst3Component::process(ProcessData& data)
{
    if (data.inputParameterChanges)
        applyInstrumentChanges(core, *data.inputParameterChanges);
    // A host that runs free of its timeline hands over no context.
    const bool transportMoved = data.processContext &&
        transport.moved(
            positionOf(*data.processContext), data.numSamples > 0 ? static_cast<uint32_t>(data.numSamples) : 0);
    if (data.inputEvents) {
        MidiMessageBlock midi = vst3MidiBlock(*data.inputEvents);
        midi.transportChanged = transportMoved;
        core.receiveMidiSkippingEmpty(midi);
    }
    return kResultOk;
}

uint32_t Vst3Component::getTailSamples()
{
    return 0;
}
