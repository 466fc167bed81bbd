// The dispatcher with arbitrary opcodes, indices, values and options, as a
// careless host calls it. Pointer arguments are null or point at buffers of
// exactly the size hosts give for that opcode (AddressSanitizer catches a
// write past them); an effClose is followed by a fresh `main`, as a host
// reloading the plug-in does. After every call the AEffect record still
// describes the plug-in and the current program is one of the five.
#include "fuzz/EventBlockInput.h"
#include "tests/support/PlainEditor.h"
#include "fuzz/FuzzHost.h"
#include "formats/vst2/ViewerPlugin.h"
#include "formats/vst2/VstEntry.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int maxCalls = 64;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// Sizes of the buffers hosts hand with the opcodes that read or write text
// or a record through `ptr`.
size_t bufferSizeFor(int32_t opcode)
{
    switch (opcode) {
    case effGetProgramName:
    case effSetProgramName:
    case effGetProgramNameIndexed: return 24;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName: return 8;
    case effGetEffectName: return 32;
    case effGetVendorString:
    case effGetProductString: return 64;
    case effGetErrorText: return 256;
    case effEditGetRect:
    case effGetChunk: return sizeof(void*);
    case effGetInputProperties:
    case effGetOutputProperties: return 128;
    case effGetParameterProperties: return 152;
    case effSetSpeakerArrangement: return 1024;
    default: return 256;
    }
}

// Opcodes whose text argument the plug-in reads: a string ending inside its buffer.
bool readsText(int32_t opcode)
{
    return opcode == effSetProgramName || opcode == effString2Parameter || opcode == effCanDo;
}

// Opcodes that write text the host then reads: it must end inside the buffer.
bool writesText(int32_t opcode)
{
    return opcode == effGetProgramName || opcode == effGetParamLabel || opcode == effGetParamDisplay ||
        opcode == effGetParamName;
}

int32_t chooseOpcode(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange<int>(0, 7)) {
    case 0: return input.ConsumeIntegral<int32_t>();
    case 1: return input.ConsumeIntegralInRange<int32_t>(59, 80); // later VST versions' opcodes
    default: return input.ConsumeIntegralInRange<int32_t>(0, 58);
    }
}

template <typename Number> Number chooseNumber(FuzzedDataProvider& input)
{
    // Mostly small numbers, where programs and indices live; sometimes anything.
    return input.ConsumeBool() ? static_cast<Number>(input.ConsumeIntegralInRange<int>(-3, 8))
                               : input.ConsumeIntegral<Number>();
}

float chooseOption(FuzzedDataProvider& input)
{
    static const float special[] = {
        0.0f, -0.0f, 1.0f, 44100.0f, 1e30f, -1e30f, __builtin_inff(), -__builtin_inff(), __builtin_nanf("")};
    if (input.ConsumeBool())
        return special[input.ConsumeIntegralInRange<size_t>(0, sizeof special / sizeof special[0] - 1)];
    return input.ConsumeFloatingPoint<float>();
}

void checkRecord(AEffect* effect)
{
    check(effect->magic == kEffectMagic);
    check(effect->object != nullptr);
    check(effect->numPrograms == 5 && effect->numParams == 0);
    check(effect->numInputs == 0 && effect->numOutputs == 0);
    check(effect->uniqueID == viewerUniqueId);
    const intptr_t program = effect->dispatcher(effect, effGetProgram, 0, 0, nullptr, 0.0f);
    check(program >= 0 && program < 5);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    VstTimeInfo time{};
    setFuzzHostTime(&time);
    AEffect* effect = vstMain(fuzzHost, createPlainEditor);
    check(effect != nullptr);

    EventBlockInput block;
    for (int call = 0; call < maxCalls && input.remaining_bytes() > 0; ++call) {
        const int32_t opcode = chooseOpcode(input);
        const int32_t index = chooseNumber<int32_t>(input);
        intptr_t value = chooseNumber<intptr_t>(input);
        const float option = chooseOption(input);
        time.flags = input.ConsumeIntegral<int32_t>();

        // Exactly sized, so that AddressSanitizer sees the first byte beyond.
        std::vector<char> buffer(bufferSizeFor(opcode));
        std::vector<char> second(bufferSizeFor(opcode));
        void* ptr = buffer.data();
        if (readsText(opcode)) {
            const std::string text = input.ConsumeRandomLengthString(buffer.size() - 1);
            std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
        } else if (opcode == effProcessEvents) {
            ptr = block.read(input);
        } else if (opcode == effSetSpeakerArrangement) {
            value = reinterpret_cast<intptr_t>(second.data()); // the input arrangement
        } else {
            const std::vector<uint8_t> bytes = input.ConsumeBytes<uint8_t>(buffer.size());
            std::copy(bytes.begin(), bytes.end(), buffer.begin());
            if (opcode == effSetChunk)
                value = static_cast<intptr_t>(buffer.size());
        }
        if (input.ConsumeIntegralInRange<int>(0, 7) == 0)
            ptr = nullptr;

        effect->dispatcher(effect, opcode, index, value, ptr, option);

        if (opcode == effClose) {
            effect = vstMain(fuzzHost, createPlainEditor);
            check(effect != nullptr);
        }
        if (ptr == buffer.data() && writesText(opcode))
            check(std::memchr(buffer.data(), '\0', buffer.size()) != nullptr);
        checkRecord(effect);
    }
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    setFuzzHostTime(nullptr);
    return 0;
}
