#include "framework/EffectBase.h"

#include "framework/NarrowValue.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

const int32_t noEffectId = 0x4E6F4566; // 'NoEf': the effect never set its own ID
const intptr_t identifyAnswer = 0x4E764566; // 'NvEf'
const double vuScale = 32767.0;

// The host reaches the effect only through these; each recovers the object
// from the record. A host that passes no record, or a record without an
// object, gets a zero answer instead of a crash.
EffectBase* objectOf(AEffect* effect)
{
    return effect ? static_cast<EffectBase*>(effect->object) : nullptr;
}

intptr_t VSTCALLBACK dispatcherEntry(
    AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    EffectBase* object = objectOf(effect);
    if (!object) {
        return 0;
    }
    if (opcode == effClose) {
        object->dispatcher(opcode, index, value, ptr, opt);
        delete object;
        return 1;
    }
    return object->dispatcher(opcode, index, value, ptr, opt);
}

void VSTCALLBACK processEntry(AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames)
{
    if (EffectBase* object = objectOf(effect)) {
        object->process(inputs, outputs, sampleFrames);
    }
}

void VSTCALLBACK processReplacingEntry(AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames)
{
    if (EffectBase* object = objectOf(effect)) {
        object->processReplacing(inputs, outputs, sampleFrames);
    }
}

void VSTCALLBACK setParameterEntry(AEffect* effect, int32_t index, float value)
{
    if (EffectBase* object = objectOf(effect)) {
        object->setParameter(index, value);
    }
}

float VSTCALLBACK getParameterEntry(AEffect* effect, int32_t index)
{
    EffectBase* object = objectOf(effect);
    return object ? object->getParameter(index) : 0.0f;
}

// The VU level as the host reads it: 0..1 scaled to 0..32767, truncated.
// Out-of-range or NaN levels from an effect are clamped so the conversion
// stays defined.
intptr_t scaleVu(float level)
{
    double scaled = static_cast<double>(level) * vuScale;
    if (std::isnan(scaled)) {
        return 0;
    }
    scaled = std::clamp(scaled, static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX));
    return static_cast<int32_t>(scaled);
}

} // namespace

EffectBase::EffectBase(audioMasterCallback host, int32_t programCount, int32_t parameterCount)
    : sampleRate(44100.0f)
    , editor(nullptr)
    , host(host)
    , programCount(programCount)
    , parameterCount(parameterCount)
    , currentProgram(0)
    , blockSize(1024)
{
    std::memset(&effect, 0, sizeof effect);
    effect.magic = kEffectMagic;
    effect.dispatcher = dispatcherEntry;
    effect.process = processEntry;
    effect.setParameter = setParameterEntry;
    effect.getParameter = getParameterEntry;
    effect.processReplacing = processReplacingEntry;
    effect.numPrograms = programCount;
    effect.numParams = parameterCount;
    effect.numInputs = 1;
    effect.numOutputs = 2;
    effect.ioRatio = 1.0f;
    effect.object = this;
    effect.uniqueID = noEffectId;
    effect.version = 1;
}

EffectBase::~EffectBase()
{
    delete editor;
    editor = nullptr;
}

void EffectBase::setEditor(EditorBase* editor)
{
    this->editor = editor;
    setFlag(effFlagsHasEditor, editor != nullptr);
}

void EffectBase::setParameter(int32_t, float)
{
}

float EffectBase::getParameter(int32_t)
{
    return 0.0f;
}

int32_t EffectBase::automateParameter(int32_t index, float value)
{
    setParameter(index, value);
    return narrowValue(callHost(audioMasterAutomate, index, 0, nullptr, value));
}

void EffectBase::processReplacing(float**, float**, int32_t)
{
}

intptr_t EffectBase::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen: open(); return 0;
    case effClose: close(); return 0;
    case effSetProgram:
        // Negative numbers pass on purpose: the effect decides what they mean.
        // Values beyond 32 bits (64-bit hosts only) are not program numbers.
        if (value < programCount && value >= INT32_MIN) {
            setProgram(static_cast<int32_t>(value));
        }
        return 0;
    case effGetProgram: return getProgram();
    case effSetProgramName:
        if (text) {
            setProgramName(text);
        }
        return 0;
    case effGetProgramName:
        if (text) {
            getProgramName(text);
        }
        return 0;
    case effGetParamLabel:
        if (text) {
            getParamLabel(index, text);
        }
        return 0;
    case effGetParamDisplay:
        if (text) {
            getParamDisplay(index, text);
        }
        return 0;
    case effGetParamName:
        if (text) {
            getParamName(index, text);
        }
        return 0;
    case effGetVu: return scaleVu(getVu());
    case effSetSampleRate: setSampleRate(opt); return 0;
    case effSetBlockSize: setBlockSize(narrowValue(value)); return 0;
    case effMainsChanged:
        if (value != 0) {
            resume();
        } else {
            suspend();
        }
        return 0;
    case effEditGetRect: return editor && ptr ? editor->getRect(static_cast<ERect**>(ptr)) : 0;
    case effEditOpen: return editor ? editor->open(ptr) : 0;
    case effEditClose:
        if (editor) {
            editor->close();
        }
        return 0;
    case effEditIdle:
        if (editor) {
            editor->idle();
        }
        return 0;
    case effIdentify: return identifyAnswer;
    case effGetChunk: return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk: return setChunk(ptr, narrowValue(value), index != 0);
    default: return 0;
    }
}

void EffectBase::open()
{
}

void EffectBase::close()
{
}

int32_t EffectBase::getProgram()
{
    return currentProgram;
}

void EffectBase::setProgram(int32_t program)
{
    currentProgram = program;
}

// The host's buffer holds the new name; an effect without program names has
// nothing to store and must not write into text the host owns.
void EffectBase::setProgramName(char*)
{
}

void EffectBase::getProgramName(char* name)
{
    name[0] = '\0';
}

void EffectBase::getParamLabel(int32_t, char* text)
{
    text[0] = '\0';
}

void EffectBase::getParamDisplay(int32_t, char* text)
{
    text[0] = '\0';
}

void EffectBase::getParamName(int32_t, char* text)
{
    text[0] = '\0';
}

float EffectBase::getVu()
{
    return 0.0f;
}

int32_t EffectBase::getChunk(void**, bool)
{
    return 0;
}

int32_t EffectBase::setChunk(void*, int32_t, bool)
{
    return 0;
}

void EffectBase::setSampleRate(float rate)
{
    sampleRate = rate;
}

void EffectBase::setBlockSize(int32_t size)
{
    blockSize = size;
}

void EffectBase::suspend()
{
}

void EffectBase::resume()
{
}

void EffectBase::setUniqueId(int32_t id)
{
    effect.uniqueID = id;
}

void EffectBase::setInputCount(int32_t count)
{
    effect.numInputs = count;
}

void EffectBase::setOutputCount(int32_t count)
{
    effect.numOutputs = count;
}

void EffectBase::setHasVu(bool state)
{
    setFlag(effFlagsHasVu, state);
}

void EffectBase::setHasClip(bool state)
{
    setFlag(effFlagsHasClip, state);
}

void EffectBase::setCanMono(bool state)
{
    setFlag(effFlagsCanMono, state);
}

void EffectBase::setCanReplacing(bool state)
{
    setFlag(effFlagsCanReplacing, state);
}

void EffectBase::setProgramsAreChunks(bool state)
{
    setFlag(effFlagsProgramChunks, state);
}

void EffectBase::setRealtimeQualities(int32_t qualities)
{
    effect.realQualities = qualities;
}

void EffectBase::setOfflineQualities(int32_t qualities)
{
    effect.offQualities = qualities;
}

void EffectBase::setInitialDelay(int32_t delay)
{
    effect.initialDelay = delay;
}

float EffectBase::getSampleRate()
{
    return sampleRate;
}

int32_t EffectBase::getBlockSize()
{
    return blockSize;
}

int32_t EffectBase::getHostVersion()
{
    const intptr_t version = callHost(audioMasterVersion);
    return version != 0 ? narrowValue(version) : 1;
}

int32_t EffectBase::getHostCurrentId()
{
    return narrowValue(callHost(audioMasterCurrentId));
}

void EffectBase::hostIdle()
{
    callHost(audioMasterIdle);
}

// The host answers 0 for a connected pin; a host that cannot tell counts as connected.
bool EffectBase::isInputPinConnected(int32_t index)
{
    return callHost(audioMasterPinConnected, index, 0) == 0;
}

bool EffectBase::isOutputPinConnected(int32_t index)
{
    return callHost(audioMasterPinConnected, index, 1) == 0;
}

intptr_t EffectBase::callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    return host ? host(&effect, opcode, index, value, ptr, opt) : 0;
}

void EffectBase::setFlag(int32_t flag, bool state)
{
    if (state) {
        effect.flags |= flag;
    } else {
        effect.flags &= ~flag;
    }
}
