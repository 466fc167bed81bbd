#include "fuzz/EventBlockInput.h"

VstEvents* EventBlockInput::read(FuzzedDataProvider& input)
{
    const int count = input.ConsumeIntegralInRange<int>(0, maxEvents);
    events.assign(static_cast<size_t>(count) + 1, VstMidiEvent{});
    list.assign(sizeof(VstEvents) + static_cast<size_t>(count) * sizeof(VstEvent*), 0);
    auto* block = reinterpret_cast<VstEvents*>(list.data());
    VstEvent** pointers = block->events;
    records = 0;
    for (int i = 0; i < count; ++i) {
        VstMidiEvent& event = events[static_cast<size_t>(i)];
        event.type = input.ConsumeBool() ? kVstMidiType : input.ConsumeIntegral<int32_t>();
        event.byteSize = input.ConsumeBool() ? 24 : input.ConsumeIntegral<int32_t>();
        event.deltaFrames = input.ConsumeIntegral<int32_t>();
        event.flags = input.ConsumeIntegral<int32_t>();
        for (char& byte : event.midiData)
            byte = static_cast<char>(input.ConsumeIntegral<uint8_t>());
        event.detune = static_cast<char>(input.ConsumeIntegral<uint8_t>());
        event.noteOffVelocity = static_cast<char>(input.ConsumeIntegral<uint8_t>());
        switch (input.ConsumeIntegralInRange<int>(0, 7)) {
        case 0: pointers[i] = nullptr; break;
        case 1: // the same record twice
            pointers[i] =
                reinterpret_cast<VstEvent*>(&events[static_cast<size_t>(input.ConsumeIntegralInRange<int>(0, i))]);
            ++records;
            break;
        default:
            pointers[i] = reinterpret_cast<VstEvent*>(&event);
            ++records;
            break;
        }
    }
    block->numEvents = input.ConsumeIntegralInRange<int>(0, 15) == 0 ? -input.ConsumeIntegral<uint16_t>() : count;
    block->reserved = input.ConsumeIntegral<intptr_t>();
    return block;
}
