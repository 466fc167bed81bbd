#include "formats/vst3/Vst3NoteEvents.h"

namespace {

// A note-on is a note-on at any velocity: 1 at the least, as MIDI's 0
// would release the key.
unsigned char midiVelocity(float velocity)
{
    if (!(velocity > 0.0f))
        return 1;
    if (velocity >= 1.0f)
        return 127;
    const int scaled = static_cast<int>(velocity * 127.0f + 0.5f);
    return static_cast<unsigned char>(scaled < 1 ? 1 : scaled);
}

bool noteMessage(int16_t channel, int16_t pitch, unsigned char status, unsigned char velocity, MidiMessage& message)
{
    if (pitch < 0 || pitch > 127 || channel < 0 || channel > 15)
        return false;
    message = {{static_cast<unsigned char>(status | channel), static_cast<unsigned char>(pitch), velocity}};
    return true;
}

bool midiMessage(const vst3::Event& event, MidiMessage& message)
{
    switch (event.type) {
    case vst3::Event::kNoteOnEvent:
        return noteMessage(
            event.noteOn.channel, event.noteOn.pitch, 0x90, midiVelocity(event.noteOn.velocity), message);
    case vst3::Event::kNoteOffEvent: return noteMessage(event.noteOff.channel, event.noteOff.pitch, 0x80, 0, message);
    default: return false;
    }
}

int32_t readMessages(const void* source, int32_t first, int32_t count, MidiMessage* messages)
{
    auto& events = *static_cast<vst3::IEventList*>(const_cast<void*>(source));
    int32_t written = 0;
    for (int32_t index = first; index < first + count; ++index) {
        vst3::Event event = {};
        if (events.getEvent(index, event) == vst3::kResultOk && midiMessage(event, messages[written]))
            ++written;
    }
    return written;
}

} // namespace

MidiMessageBlock vst3MidiBlock(vst3::IEventList& events)
{
    const int32_t count = events.getEventCount();
    return {readMessages, &events, count > 0 ? count : 0, false};
}
