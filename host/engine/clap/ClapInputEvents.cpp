#include "host/engine/clap/ClapInputEvents.h"

namespace {

clap_event_header_t header(uint32_t size, uint32_t time, uint16_t type)
{
    clap_event_header_t made{};
    made.size = size;
    made.time = time;
    made.space_id = CLAP_CORE_EVENT_SPACE_ID;
    made.type = type;
    made.flags = 0;
    return made;
}

} // namespace

ClapInputEvents::ClapInputEvents()
{
    events.ctx = this;
    events.size = sizeOf;
    events.get = get;
}

void ClapInputEvents::reserve(size_t count)
{
    parameters.reserve(1);
    midi.reserve(count);
    notes.reserve(count);
    order.reserve(count + 1);
}

void ClapInputEvents::clear()
{
    parameters.clear();
    midi.clear();
    notes.clear();
    order.clear();
}

void ClapInputEvents::addParameterValue(clap_id id, void* cookie, double value)
{
    clap_event_param_value_t event{};
    event.header = header(sizeof event, 0, CLAP_EVENT_PARAM_VALUE);
    event.param_id = id;
    event.cookie = cookie;
    event.note_id = -1;
    event.port_index = -1;
    event.channel = -1;
    event.key = -1;
    event.value = value;
    order.push_back(Entry{Kind::Parameter, static_cast<uint32_t>(parameters.size())});
    parameters.push_back(event);
}

void ClapInputEvents::addMidi(const VstEvents& block, Dialect dialect)
{
    // The host sends more events than the record declares: read through the pointer.
    VstEvent* const* list = block.events;
    for (int32_t i = 0; i < block.numEvents; ++i) {
        if (!list[i] || list[i]->type != kVstMidiType)
            continue;
        const auto& message = *reinterpret_cast<const VstMidiEvent*>(list[i]);
        const uint32_t time = message.deltaFrames > 0 ? static_cast<uint32_t>(message.deltaFrames) : 0;
        const auto* bytes = reinterpret_cast<const uint8_t*>(message.midiData);
        if (dialect == Dialect::Midi) {
            clap_event_midi_t event{};
            event.header = header(sizeof event, time, CLAP_EVENT_MIDI);
            event.port_index = 0;
            for (int b = 0; b < 3; ++b)
                event.data[b] = bytes[b];
            order.push_back(Entry{Kind::Midi, static_cast<uint32_t>(midi.size())});
            midi.push_back(event);
            continue;
        }
        const uint8_t kind = bytes[0] & 0xF0;
        if (kind != 0x90 && kind != 0x80)
            continue;
        const bool on = kind == 0x90 && bytes[2] > 0;
        clap_event_note_t event{};
        event.header = header(sizeof event, time, on ? CLAP_EVENT_NOTE_ON : CLAP_EVENT_NOTE_OFF);
        event.note_id = -1;
        event.port_index = 0;
        event.channel = static_cast<int16_t>(bytes[0] & 0x0F);
        event.key = static_cast<int16_t>(bytes[1] & 0x7F);
        event.velocity = (bytes[2] & 0x7F) / 127.0;
        order.push_back(Entry{Kind::Note, static_cast<uint32_t>(notes.size())});
        notes.push_back(event);
    }
}

uint32_t ClapInputEvents::sizeOf(const clap_input_events_t* list)
{
    return static_cast<uint32_t>(static_cast<const ClapInputEvents*>(list->ctx)->order.size());
}

const clap_event_header_t* ClapInputEvents::get(const clap_input_events_t* list, uint32_t index)
{
    const auto& self = *static_cast<const ClapInputEvents*>(list->ctx);
    if (index >= self.order.size())
        return nullptr;
    const Entry entry = self.order[index];
    switch (entry.kind) {
    case Kind::Parameter: return &self.parameters[entry.index].header;
    case Kind::Midi: return &self.midi[entry.index].header;
    case Kind::Note: return &self.notes[entry.index].header;
    }
    return nullptr;
}
