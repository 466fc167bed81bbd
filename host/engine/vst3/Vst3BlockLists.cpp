#include "host/engine/vst3/Vst3BlockLists.h"

#include <cstdint>

void Vst3EventList::addMidi(const VstEvents& block)
{
    // The host sends more events than the record declares: read through the pointer.
    VstEvent* const* list = block.events;
    for (int32_t i = 0; i < block.numEvents && events.size() < events.capacity(); ++i) {
        if (!list[i] || list[i]->type != kVstMidiType)
            continue;
        const auto& message = *reinterpret_cast<const VstMidiEvent*>(list[i]);
        const auto* bytes = reinterpret_cast<const uint8_t*>(message.midiData);
        const uint8_t kind = bytes[0] & 0xF0;
        if (kind != 0x90 && kind != 0x80)
            continue;
        const bool on = kind == 0x90 && (bytes[2] & 0x7F) > 0;
        vst3::Event event{};
        event.busIndex = 0;
        event.sampleOffset = message.deltaFrames > 0 ? message.deltaFrames : 0;
        const auto channel = static_cast<int16_t>(bytes[0] & 0x0F);
        const auto pitch = static_cast<int16_t>(bytes[1] & 0x7F);
        const float velocity = (bytes[2] & 0x7F) / 127.0f;
        if (on) {
            event.type = vst3::Event::kNoteOnEvent;
            event.noteOn = vst3::NoteOnEvent{channel, pitch, 0.0f, velocity, 0, -1};
        } else {
            event.type = vst3::Event::kNoteOffEvent;
            event.noteOff = vst3::NoteOffEvent{channel, pitch, velocity, -1, 0.0f};
        }
        events.push_back(event);
    }
}

vst3::tresult Vst3EventList::getEvent(int32_t index, vst3::Event& event)
{
    if (index < 0 || static_cast<size_t>(index) >= events.size())
        return vst3::kInvalidArgument;
    event = events[static_cast<size_t>(index)];
    return vst3::kResultOk;
}

vst3::tresult Vst3ValueQueue::getPoint(int32_t index, int32_t& sampleOffset, vst3::ParamValue& point)
{
    if (index != 0)
        return vst3::kInvalidArgument;
    sampleOffset = 0;
    point = value;
    return vst3::kResultOk;
}

void Vst3ParameterChanges::change(vst3::ParamID id, vst3::ParamValue value)
{
    queue.id = id;
    queue.value = value;
    holding = true;
}

vst3::IParamValueQueue* Vst3ParameterChanges::getParameterData(int32_t index)
{
    return holding && index == 0 ? &queue : nullptr;
}
