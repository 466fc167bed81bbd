#pragma once

// A minimal concrete effect for driving the framework the way a host does:
// it supplies process and counts the calls the tests need to observe.

#include "framework/EffectBaseExt.h"

// What a deleted TestEffect leaves behind for the test to inspect.
struct Lifetime {
    bool destroyed = false;
    int closeCallsBeforeDestruction = 0;
};

class TestEffect : public EffectBaseExt {
public:
    TestEffect(
        audioMasterCallback host, int32_t programCount = 5, int32_t parameterCount = 2, Lifetime* lifetime = nullptr)
        : EffectBaseExt(host, programCount, parameterCount)
        , lifetime(lifetime)
    {
    }
    ~TestEffect() override
    {
        if (lifetime) {
            lifetime->destroyed = true;
            lifetime->closeCallsBeforeDestruction = closeCalls;
        }
    }

    void process(float**, float**, int32_t sampleFrames) override { processedFrames += sampleFrames; }
    void processReplacing(float**, float**, int32_t sampleFrames) override { replacedFrames += sampleFrames; }
    void setParameter(int32_t index, float value) override
    {
        lastParameterIndex = index;
        lastParameterValue = value;
    }
    float getParameter(int32_t index) override { return static_cast<float>(index) * 0.25f; }
    float getVu() override { return vu; }
    void close() override { ++closeCalls; }
    void suspend() override { ++suspendCalls; }
    void resume() override { ++resumeCalls; }

    EditorBase* currentEditor() const { return editor; }

    Lifetime* lifetime;
    float vu = 0.0f;
    int32_t processedFrames = 0;
    int32_t replacedFrames = 0;
    int32_t lastParameterIndex = -1;
    float lastParameterValue = 0.0f;
    int closeCalls = 0;
    int suspendCalls = 0;
    int resumeCalls = 0;
};

// Sends one dispatcher request through the record's C entry point, as a host does.
inline intptr_t dispatch(
    EffectBase& effect, int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f)
{
    AEffect* record = effect.getAeffect();
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}
