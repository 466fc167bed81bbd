#pragma once

// EffectBase turns an object into a VST 2 effect. It owns the AEffect record
// the host sees, fills in its defaults, stores the five C entry points in it
// and routes the host's dispatcher opcodes 0..24 to virtual operations whose
// defaults do nothing harmful; an effect overrides the handful it needs.
// EffectBaseExt adds the later opcodes and most host calls.
//
// Lifetime: the host owns the object through its AEffect record; effClose,
// arriving through the dispatcher entry point, deletes it. The object owns
// its editor. No locks: each operation runs on whichever host thread calls it.

#include <atomic>
#include <cstdint>

#include "framework/EditorBase.h"
#include "framework/Vst2Abi.h"

class EffectBase {
public:
    EffectBase(audioMasterCallback host, int32_t programCount, int32_t parameterCount);
    // Deletes the editor, if any.
    virtual ~EffectBase();

    EffectBase(const EffectBase&) = delete;
    EffectBase& operator=(const EffectBase&) = delete;

    // The record to hand to the host; `object` points back to this effect.
    AEffect* getAeffect() { return &effect; }
    EditorBase* getEditor() const { return editor; }

    // Makes `editor` the effect's editor (owned from now on) and sets or clears
    // effFlagsHasEditor. A previously attached editor is not deleted.
    void setEditor(EditorBase* editor);

    virtual void setParameter(int32_t index, float value);
    virtual float getParameter(int32_t index);
    // Sets the parameter and tells the host, which records it as automation.
    virtual int32_t automateParameter(int32_t index, float value);

    virtual void process(float** inputs, float** outputs, int32_t sampleFrames) = 0;
    virtual void processReplacing(float** inputs, float** outputs, int32_t sampleFrames);

    // Answers one host request. Text and record pointers that the operation
    // would read or write are checked for null here, so overrides of those
    // operations always get a usable pointer.
    virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

    virtual void open();
    virtual void close();

    virtual int32_t getProgram();
    virtual void setProgram(int32_t program);
    virtual void setProgramName(char* name);
    virtual void getProgramName(char* name);
    virtual void getParamLabel(int32_t index, char* text);
    virtual void getParamDisplay(int32_t index, char* text);
    virtual void getParamName(int32_t index, char* text);
    virtual float getVu();
    virtual int32_t getChunk(void** data, bool isPreset);
    virtual int32_t setChunk(void* data, int32_t byteSize, bool isPreset);
    virtual void setSampleRate(float rate);
    virtual void setBlockSize(int32_t size);
    virtual void suspend();
    virtual void resume();

    virtual void setUniqueId(int32_t id);
    virtual void setInputCount(int32_t count);
    virtual void setOutputCount(int32_t count);
    virtual void setHasVu(bool state);
    virtual void setHasClip(bool state);
    virtual void setCanMono(bool state);
    virtual void setCanReplacing(bool state);
    virtual void setProgramsAreChunks(bool state);
    virtual void setRealtimeQualities(int32_t qualities);
    virtual void setOfflineQualities(int32_t qualities);
    virtual void setInitialDelay(int32_t delay);
    virtual float getSampleRate();
    virtual int32_t getBlockSize();

    // Host calls. Without a host nothing is sent and the stated default comes back.
    virtual int32_t getHostVersion(); // 1 when the host answers 0 or is missing
    virtual int32_t getHostCurrentId();
    virtual void hostIdle();
    virtual bool isInputPinConnected(int32_t index); // true unless the host says otherwise
    virtual bool isOutputPinConnected(int32_t index); // likewise

    // Text for parameter displays, written into `text` with a terminating zero.
    // All but formatInteger produce at most 8 visible characters.
    virtual void formatDecibels(float value, char* text);
    virtual void formatHertz(float samples, char* text);
    virtual void formatMilliseconds(float samples, char* text);
    // 8 characters, digits truncated, never rounded; " Huge!  " when the
    // integer part would need more than 7 digits (6 when negative).
    virtual void formatFloat(float value, char* text);
    virtual void formatInteger(int32_t value, char* text);

protected:
    // Sends one request to the host with this effect's record; 0 without a host.
    intptr_t callHost(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    void setFlag(int32_t flag, bool state);
    bool hasFlag(int32_t flag) const { return (effect.flags & flag) != 0; }

    float sampleRate;
    EditorBase* editor;
    audioMasterCallback host;
    int32_t programCount;
    int32_t parameterCount;
    // Hosts change and ask for programs on different threads.
    std::atomic<int32_t> currentProgram;
    int32_t blockSize;
    AEffect effect;
};
