#pragma once

// EffectBaseExt adds the VST 2 extensions to EffectBase: it answers dispatcher
// opcodes 25..58 itself (MIDI events, canDo, plug-in category, offline
// processing, ...) and passes everything else to EffectBase. It also wraps
// the host calls from audioMasterWantMidi to audioMasterUpdateDisplay and
// sets the extended flag bits. Every operation has a harmless default.
// Adds no fields.

#include <cstdint>

#include "framework/EffectBase.h"

class EffectBaseExt : public EffectBase {
public:
    EffectBaseExt(audioMasterCallback host, int32_t programCount, int32_t parameterCount);
    ~EffectBaseExt() override;

    intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) override;

    // Host calls. Without a host each returns 0, false or null and sends nothing.
    virtual intptr_t wantMidi(int32_t filter);
    // The host's transport and tempo; null when the host gives none.
    virtual VstTimeInfo* getTime(int32_t filter);
    virtual intptr_t tempoAt(int32_t position);

    // A block of events from the host (effProcessEvents). `events` is passed
    // on exactly as the host sent it and may be null.
    virtual int32_t processEvents(VstEvents* events);

    virtual intptr_t getNumAutomatableParameters();
    virtual intptr_t getParameterQuantization();

    virtual bool canBeAutomated(int32_t index);
    virtual bool string2Parameter(int32_t index, char* text);
    virtual float getChannelParameter(int32_t channel, int32_t index);
    virtual int32_t getNumProgramCategories();
    virtual bool getProgramNameIndexed(int32_t category, int32_t index, char* text);
    virtual bool copyProgram(int32_t destination);

    virtual bool ioChanged();
    virtual bool needIdle();
    virtual bool sizeWindow(int32_t width, int32_t height);
    // Tell the host the rate or size changed; the new values reach the effect
    // through effSetSampleRate and effSetBlockSize, so the stored ones are returned.
    virtual float updateSampleRate();
    virtual int32_t updateBlockSize();
    virtual intptr_t getInputLatency();
    virtual intptr_t getOutputLatency();
    virtual AEffect* getPreviousPlug(int32_t input);
    virtual AEffect* getNextPlug(int32_t output);

    virtual void connectInput(int32_t index, bool state);
    virtual void connectOutput(int32_t index, bool state);
    virtual bool getInputProperties(int32_t index, VstPinProperties* properties);
    virtual bool getOutputProperties(int32_t index, VstPinProperties* properties);
    // 2 (synth) when effFlagsIsSynth is set, otherwise 0 (unknown).
    virtual int32_t getPlugCategory();

    virtual intptr_t willReplaceOrAccumulate();
    virtual intptr_t getCurrentProcessLevel();
    virtual intptr_t getAutomationState();

    virtual void setAsyncOperation(bool state);
    virtual void setHasExternalBuffer(bool state);
    virtual int32_t getCurrentPosition();
    virtual float* getDestinationBuffer();

    virtual bool offlineRead(VstOfflineTask* task, int32_t option, bool readSource);
    virtual bool offlineWrite(VstOfflineTask* task, int32_t option);
    virtual bool offlineStart(VstAudioFile* files, int32_t fileCount, int32_t newFileCount);
    virtual bool offlineGetCurrentPass();
    virtual bool offlineGetCurrentMetaPass();
    virtual bool offlineNotify(VstAudioFile* files, int32_t count, bool start);
    virtual bool offlinePrepare(VstOfflineTask* tasks, int32_t count);
    virtual bool offlineRun(VstOfflineTask* tasks, int32_t count);

    virtual intptr_t setOutputSampleRate(float rate);
    virtual bool getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output);
    virtual bool getHostVendorString(char* text);
    virtual bool getHostProductString(char* text);
    virtual intptr_t getHostVendorVersion();
    virtual intptr_t hostVendorSpecific(int32_t index, intptr_t value, void* ptr, float opt);
    // True only when the host answers 1 ("yes"); 0 and -1 both mean no.
    virtual bool hostCanDo(const char* text);

    virtual void setIsSynth(bool state);
    virtual void setNoTail(bool state);

    virtual intptr_t getHostLanguage();
    virtual void* openWindow(VstWindow* window);
    virtual bool closeWindow(VstWindow* window);
    virtual void* getDirectory();
    virtual bool updateDisplay();

    virtual bool processVarIo(VstVariableIo* io);
    virtual bool setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output);
    virtual void setBlockSizeAndSampleRate(int32_t size, float rate);
    virtual bool setBypass(bool state);
    virtual bool getEffectName(char* text);
    virtual bool getErrorText(char* text);
    virtual bool getVendorString(char* text);
    virtual bool getProductString(char* text);
    virtual int32_t getVendorVersion();
    virtual intptr_t vendorSpecific(int32_t index, intptr_t value, void* ptr, float opt);
    // Answers the host's "can you do ...?" question: 1 yes, -1 no, 0 don't know.
    virtual int32_t canDo(char* text);
    virtual void* getIcon();
    virtual bool setViewPosition(int32_t x, int32_t y);
    virtual int32_t getTailSize();
    virtual int32_t effectIdle();
    virtual bool getParameterProperties(int32_t index, VstParameterProperties* properties);
    // False means the effect does not need keystrokes (effKeysRequired answers 1).
    virtual bool keysRequired();
    virtual int32_t getVstVersion();
};
