#include "formats/vst3/Vst3Controller.h"

#include "formats/vst3/Vst3Ids.h"
#include "formats/vst3/Vst3Instrument.h"
#include "formats/vst3/Vst3Streams.h"
#include "formats/vst3/Vst3Text.h"
#include "formats/vst3/Vst3View.h"

#include <cstring>
#include <new>

using namespace vst3;

namespace {
constexpr int32_t nameCapacity = 64;
}

Vst3Controller::Vst3Controller(const Vst3Platform& platform)
    : platform(platform)
    , core(platform.makeEditor)
    , reportedInstrument(ViewerCore::selectedInstrument())
{
}

Vst3Controller::~Vst3Controller()
{
    if (handler)
        handler->release();
}

tresult Vst3Controller::queryInterface(const TUID iid, void** object)
{
    if (!object)
        return kInvalidArgument;
    if (!FUnknown_iid.matches(iid) && !IPluginBase_iid.matches(iid) && !IEditController_iid.matches(iid)) {
        *object = nullptr;
        return kNoInterface;
    }
    *object = static_cast<IEditController*>(this);
    addRef();
    return kResultOk;
}

uint32_t Vst3Controller::addRef()
{
    return refs.add();
}

uint32_t Vst3Controller::release()
{
    const uint32_t left = refs.drop();
    if (left == 0)
        delete this;
    return left;
}

tresult Vst3Controller::initialize(FUnknown*)
{
    return kResultOk;
}

tresult Vst3Controller::terminate()
{
    return setComponentHandler(nullptr);
}

// The component's record: refused as the component refuses it, shown when
// the component has not shown it already, and its instrument the value the
// host knows.
tresult Vst3Controller::setComponentState(IBStream* state)
{
    uint8_t bytes[savedViewSize];
    size_t size = 0;
    if (!state || !readWhole(*state, bytes, sizeof bytes, size))
        return kInvalidArgument;
    if (!core.restoreView(bytes, size))
        return kResultFalse;
    reportedInstrument = ViewerCore::selectedInstrument();
    return kResultOk;
}

// The controller keeps nothing of its own.
tresult Vst3Controller::setState(IBStream* state)
{
    return state ? kResultOk : kInvalidArgument;
}

tresult Vst3Controller::getState(IBStream* state)
{
    return state ? kResultOk : kInvalidArgument;
}

int32_t Vst3Controller::getParameterCount()
{
    return 1;
}

tresult Vst3Controller::getParameterInfo(int32_t index, ParameterInfo& info)
{
    if (index != 0)
        return kInvalidArgument;
    std::memset(&info, 0, sizeof info);
    info.id = instrumentParamId;
    copyToChar16(info.title, 128, "Instrument");
    copyToChar16(info.shortTitle, 128, "Instrument");
    info.stepCount = ViewerCore::instrumentCount - 1;
    info.defaultNormalizedValue = normalizedOfInstrument(ViewerCore::defaultInstrument);
    info.flags = ParameterInfo::kCanAutomate | ParameterInfo::kIsList;
    return kResultOk;
}

tresult Vst3Controller::getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 text)
{
    const int32_t instrument = instrumentOfNormalized(valueNormalized);
    if (id != instrumentParamId || !text || instrument < 0)
        return kInvalidArgument;
    char name[nameCapacity];
    ViewerCore::instrumentName(instrument, name, nameCapacity);
    copyToChar16(text, 128, name);
    return kResultOk;
}

// An instrument's name as getParamStringByValue writes it, or its number.
tresult Vst3Controller::getParamValueByString(ParamID id, char16* text, ParamValue& valueNormalized)
{
    if (id != instrumentParamId || !text)
        return kInvalidArgument;
    char wanted[nameCapacity];
    copyFromChar16(wanted, nameCapacity, text);
    const int32_t instrument = ViewerCore::instrumentOfText(wanted);
    if (instrument < 0)
        return kInvalidArgument;
    valueNormalized = normalizedOfInstrument(instrument);
    return kResultOk;
}

ParamValue Vst3Controller::normalizedParamToPlain(ParamID id, ParamValue valueNormalized)
{
    const int32_t instrument = instrumentOfNormalized(valueNormalized);
    return id == instrumentParamId && instrument >= 0 ? instrument : 0.0;
}

ParamValue Vst3Controller::plainParamToNormalized(ParamID id, ParamValue plainValue)
{
    if (id != instrumentParamId || !(plainValue >= 0.0) || plainValue > ViewerCore::instrumentCount - 1)
        return 0.0;
    return plainValue / (ViewerCore::instrumentCount - 1);
}

ParamValue Vst3Controller::getParamNormalized(ParamID id)
{
    return id == instrumentParamId ? normalizedOfInstrument(ViewerCore::selectedInstrument()) : 0.0;
}

// The host's value, already on its way to the component too: shown at once,
// and not told back.
tresult Vst3Controller::setParamNormalized(ParamID id, ParamValue value)
{
    if (id != instrumentParamId || !core.selectInstrument(instrumentOfNormalized(value)))
        return kInvalidArgument;
    reportedInstrument = ViewerCore::selectedInstrument();
    return kResultOk;
}

tresult Vst3Controller::setComponentHandler(IComponentHandler* newHandler)
{
    if (newHandler)
        newHandler->addRef();
    if (handler)
        handler->release();
    handler = newHandler;
    return kResultOk;
}

IPlugView* Vst3Controller::createView(FIDString name)
{
    if (!name || std::strcmp(name, kEditorViewType) != 0 || !core.hasEditor() || viewOpen)
        return nullptr;
    IPlugView* view = new (std::nothrow) Vst3View(*this);
    viewOpen = view != nullptr;
    return view;
}

void Vst3Controller::idle()
{
    core.idleEditor();
    const int32_t instrument = ViewerCore::selectedInstrument();
    if (instrument == reportedInstrument || !handler)
        return;
    handler->beginEdit(instrumentParamId);
    handler->performEdit(instrumentParamId, normalizedOfInstrument(instrument));
    handler->endEdit(instrumentParamId);
    reportedInstrument = instrument;
}
