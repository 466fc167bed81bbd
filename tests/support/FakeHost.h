#pragma once

// A stand-in VST 2 host for tests: records every audioMaster call an effect
// makes, with its arguments, and answers each opcode with a configurable value
// (0 unless set), or with a text written into the call's buffer. The callback
// has no user data, so the most recently constructed FakeHost receives the
// calls; keep one per test.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "framework/Vst2Abi.h"

struct HostCall {
    AEffect* effect;
    int32_t opcode;
    int32_t index;
    intptr_t value;
    void* ptr;
    float opt;
};

class FakeHost {
public:
    FakeHost();
    ~FakeHost();

    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    // The function to hand to an effect as its audioMasterCallback.
    static intptr_t VSTCALLBACK callback(
        AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

    void answer(int32_t opcode, intptr_t value) { answers[opcode] = value; }
    // Writes `text` and its terminator into the buffer the call passes (as
    // audioMasterGetVendorString is answered) and answers 1.
    void answerText(int32_t opcode, const std::string& text)
    {
        texts[opcode] = text;
        answers[opcode] = 1;
    }
    const std::vector<HostCall>& calls() const { return recorded; }
    void clear() { recorded.clear(); }

private:
    static FakeHost* current;
    std::vector<HostCall> recorded;
    std::map<int32_t, intptr_t> answers;
    std::map<int32_t, std::string> texts;
};
