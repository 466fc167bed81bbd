#include "framework/EffectBaseExt.h"

#include "framework/NarrowValue.h"

EffectBaseExt::EffectBaseExt(audioMasterCallback host, int32_t programCount, int32_t parameterCount)
    : EffectBase(host, programCount, parameterCount)
{
}

EffectBaseExt::~EffectBaseExt() = default;

intptr_t EffectBaseExt::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    // Operations that read or write text or a record through `ptr` are only
    // called with a pointer; a host that sends null gets 0.
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effProcessEvents: return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated: return canBeAutomated(index);
    case effString2Parameter: return text && string2Parameter(index, text);
    case effGetNumProgramCategories: return getNumProgramCategories();
    case effGetProgramNameIndexed: return text && getProgramNameIndexed(narrowValue(value), index, text);
    case effCopyProgram: return copyProgram(index);
    case effConnectInput: connectInput(index, value != 0); return 1;
    case effConnectOutput: connectOutput(index, value != 0); return 1;
    case effGetInputProperties: return ptr && getInputProperties(index, static_cast<VstPinProperties*>(ptr));
    case effGetOutputProperties: return ptr && getOutputProperties(index, static_cast<VstPinProperties*>(ptr));
    case effGetPlugCategory: return getPlugCategory();
    case effGetCurrentPosition: return getCurrentPosition();
    case effGetDestinationBuffer: return reinterpret_cast<intptr_t>(getDestinationBuffer());
    case effOfflineNotify: return ptr && offlineNotify(static_cast<VstAudioFile*>(ptr), narrowValue(value), index != 0);
    case effOfflinePrepare: return ptr && offlinePrepare(static_cast<VstOfflineTask*>(ptr), narrowValue(value));
    case effOfflineRun: return ptr && offlineRun(static_cast<VstOfflineTask*>(ptr), narrowValue(value));
    case effProcessVarIo: return ptr && processVarIo(static_cast<VstVariableIo*>(ptr));
    case effSetSpeakerArrangement: {
        auto* input = reinterpret_cast<VstSpeakerArrangement*>(value);
        auto* output = static_cast<VstSpeakerArrangement*>(ptr);
        return input && output && setSpeakerArrangement(input, output);
    }
    case effSetBlockSizeAndSampleRate: setBlockSizeAndSampleRate(narrowValue(value), opt); return 1;
    case effSetBypass: return setBypass(value != 0);
    case effGetEffectName: return text && getEffectName(text);
    case effGetErrorText: return text && getErrorText(text);
    case effGetVendorString: return text && getVendorString(text);
    case effGetProductString: return text && getProductString(text);
    case effGetVendorVersion: return getVendorVersion();
    case effVendorSpecific: return vendorSpecific(index, value, ptr, opt);
    case effCanDo: return text ? canDo(text) : 0;
    case effGetTailSize: return getTailSize();
    case effIdle: return effectIdle();
    case effGetIcon: return reinterpret_cast<intptr_t>(getIcon());
    case effSetViewPosition: return setViewPosition(index, narrowValue(value));
    case effGetParameterProperties:
        return ptr && getParameterProperties(index, static_cast<VstParameterProperties*>(ptr));
    case effKeysRequired: return keysRequired() ? 0 : 1;
    case effGetVstVersion: return getVstVersion();
    default: return EffectBase::dispatcher(opcode, index, value, ptr, opt);
    }
}

intptr_t EffectBaseExt::wantMidi(int32_t filter)
{
    return callHost(audioMasterWantMidi, 0, filter);
}

VstTimeInfo* EffectBaseExt::getTime(int32_t filter)
{
    return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

intptr_t EffectBaseExt::tempoAt(int32_t position)
{
    return callHost(audioMasterTempoAt, 0, position);
}

int32_t EffectBaseExt::processEvents(VstEvents*)
{
    return 0;
}

intptr_t EffectBaseExt::getNumAutomatableParameters()
{
    return callHost(audioMasterGetNumAutomatableParameters);
}

intptr_t EffectBaseExt::getParameterQuantization()
{
    return callHost(audioMasterGetParameterQuantization);
}

bool EffectBaseExt::canBeAutomated(int32_t)
{
    return true;
}

bool EffectBaseExt::string2Parameter(int32_t, char*)
{
    return false;
}

float EffectBaseExt::getChannelParameter(int32_t, int32_t)
{
    return 0.0f;
}

int32_t EffectBaseExt::getNumProgramCategories()
{
    return 1;
}

bool EffectBaseExt::getProgramNameIndexed(int32_t, int32_t, char*)
{
    return false;
}

bool EffectBaseExt::copyProgram(int32_t)
{
    return false;
}

bool EffectBaseExt::ioChanged()
{
    return callHost(audioMasterIOChanged) != 0;
}

bool EffectBaseExt::needIdle()
{
    return callHost(audioMasterNeedIdle) != 0;
}

bool EffectBaseExt::sizeWindow(int32_t width, int32_t height)
{
    return callHost(audioMasterSizeWindow, width, height) != 0;
}

float EffectBaseExt::updateSampleRate()
{
    callHost(audioMasterGetSampleRate);
    return sampleRate;
}

int32_t EffectBaseExt::updateBlockSize()
{
    callHost(audioMasterGetBlockSize);
    return blockSize;
}

intptr_t EffectBaseExt::getInputLatency()
{
    return callHost(audioMasterGetInputLatency);
}

intptr_t EffectBaseExt::getOutputLatency()
{
    return callHost(audioMasterGetOutputLatency);
}

AEffect* EffectBaseExt::getPreviousPlug(int32_t)
{
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug));
}

AEffect* EffectBaseExt::getNextPlug(int32_t)
{
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug));
}

void EffectBaseExt::connectInput(int32_t, bool)
{
}

void EffectBaseExt::connectOutput(int32_t, bool)
{
}

bool EffectBaseExt::getInputProperties(int32_t, VstPinProperties*)
{
    return false;
}

bool EffectBaseExt::getOutputProperties(int32_t, VstPinProperties*)
{
    return false;
}

int32_t EffectBaseExt::getPlugCategory()
{
    return hasFlag(effFlagsIsSynth) ? kPlugCategorySynth : kPlugCategoryUnknown;
}

intptr_t EffectBaseExt::willReplaceOrAccumulate()
{
    return callHost(audioMasterWillReplaceOrAccumulate);
}

intptr_t EffectBaseExt::getCurrentProcessLevel()
{
    return callHost(audioMasterGetCurrentProcessLevel);
}

intptr_t EffectBaseExt::getAutomationState()
{
    return callHost(audioMasterGetAutomationState);
}

void EffectBaseExt::setAsyncOperation(bool state)
{
    setFlag(effFlagsExtIsAsync, state);
}

void EffectBaseExt::setHasExternalBuffer(bool state)
{
    setFlag(effFlagsExtHasBuffer, state);
}

int32_t EffectBaseExt::getCurrentPosition()
{
    return 0;
}

float* EffectBaseExt::getDestinationBuffer()
{
    return nullptr;
}

bool EffectBaseExt::offlineRead(VstOfflineTask* task, int32_t option, bool readSource)
{
    return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, task) != 0;
}

bool EffectBaseExt::offlineWrite(VstOfflineTask* task, int32_t option)
{
    return callHost(audioMasterOfflineWrite, 0, option, task) != 0;
}

bool EffectBaseExt::offlineStart(VstAudioFile* files, int32_t fileCount, int32_t newFileCount)
{
    return callHost(audioMasterOfflineStart, newFileCount, fileCount, files) != 0;
}

bool EffectBaseExt::offlineGetCurrentPass()
{
    return callHost(audioMasterOfflineGetCurrentPass) != 0;
}

bool EffectBaseExt::offlineGetCurrentMetaPass()
{
    return callHost(audioMasterOfflineGetCurrentMetaPass) != 0;
}

bool EffectBaseExt::offlineNotify(VstAudioFile*, int32_t, bool)
{
    return false;
}

bool EffectBaseExt::offlinePrepare(VstOfflineTask*, int32_t)
{
    return false;
}

bool EffectBaseExt::offlineRun(VstOfflineTask*, int32_t)
{
    return false;
}

intptr_t EffectBaseExt::setOutputSampleRate(float rate)
{
    return callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate);
}

bool EffectBaseExt::getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output)
{
    return callHost(audioMasterGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(input), output) != 0;
}

bool EffectBaseExt::getHostVendorString(char* text)
{
    return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool EffectBaseExt::getHostProductString(char* text)
{
    return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}

intptr_t EffectBaseExt::getHostVendorVersion()
{
    return callHost(audioMasterGetVendorVersion);
}

intptr_t EffectBaseExt::hostVendorSpecific(int32_t index, intptr_t value, void* ptr, float opt)
{
    return callHost(audioMasterVendorSpecific, index, value, ptr, opt);
}

// The host reads the text only; the interface just lacks const.
bool EffectBaseExt::hostCanDo(const char* text)
{
    return callHost(audioMasterCanDo, 0, 0, const_cast<char*>(text)) == 1;
}

void EffectBaseExt::setIsSynth(bool state)
{
    setFlag(effFlagsIsSynth, state);
}

void EffectBaseExt::setNoTail(bool state)
{
    setFlag(effFlagsNoSoundInStop, state);
}

intptr_t EffectBaseExt::getHostLanguage()
{
    return callHost(audioMasterGetLanguage);
}

void* EffectBaseExt::openWindow(VstWindow* window)
{
    return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}

bool EffectBaseExt::closeWindow(VstWindow* window)
{
    return callHost(audioMasterCloseWindow, 0, 0, window) != 0;
}

void* EffectBaseExt::getDirectory()
{
    return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}

bool EffectBaseExt::updateDisplay()
{
    return callHost(audioMasterUpdateDisplay) != 0;
}

bool EffectBaseExt::processVarIo(VstVariableIo*)
{
    return false;
}

bool EffectBaseExt::setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*)
{
    return false;
}

void EffectBaseExt::setBlockSizeAndSampleRate(int32_t size, float rate)
{
    blockSize = size;
    sampleRate = rate;
}

bool EffectBaseExt::setBypass(bool)
{
    return false;
}

bool EffectBaseExt::getEffectName(char*)
{
    return false;
}

bool EffectBaseExt::getErrorText(char*)
{
    return false;
}

bool EffectBaseExt::getVendorString(char*)
{
    return false;
}

bool EffectBaseExt::getProductString(char*)
{
    return false;
}

int32_t EffectBaseExt::getVendorVersion()
{
    return 0;
}

intptr_t EffectBaseExt::vendorSpecific(int32_t, intptr_t, void*, float)
{
    return 0;
}

int32_t EffectBaseExt::canDo(char*)
{
    return 0;
}

void* EffectBaseExt::getIcon()
{
    return nullptr;
}

bool EffectBaseExt::setViewPosition(int32_t, int32_t)
{
    return false;
}

int32_t EffectBaseExt::getTailSize()
{
    return 0;
}

int32_t EffectBaseExt::effectIdle()
{
    return 0;
}

bool EffectBaseExt::getParameterProperties(int32_t, VstParameterProperties*)
{
    return false;
}

bool EffectBaseExt::keysRequired()
{
    return false;
}

int32_t EffectBaseExt::getVstVersion()
{
    return kVstVersion;
}
