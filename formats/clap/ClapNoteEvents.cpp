#include "formats/clap/ClapNoteEvents.h"

namespace {

// A CLAP note-on is a note-on at any velocity: velocity 1 at the least, as
// MIDI's 0 would release the key.
unsigned char midiVelocity(double velocity)
{
    if (!(velocity > 0.0))
        return 1;
    if (velocity >= 1.0)
        return 127;
    const int scaled = static_cast<int>(velocity * 127.0 + 0.5);
    return static_cast<unsigned char>(scaled < 1 ? 1 : scaled);
}

bool noteMessage(const clap_event_note_t& note, unsigned char status, MidiMessage& message)
{
    if (note.key < 0 || note.key > 127 || note.channel < 0 || note.channel > 15)
        return false;
    const unsigned char velocity = status == 0x90 ? midiVelocity(note.velocity) : 0;
    message = {{static_cast<unsigned char>(status | note.channel), static_cast<unsigned char>(note.key), velocity}};
    return true;
}

// The event's MIDI message, when it is one the intake reads.
bool clapMidiMessage(const clap_event_header_t* event, MidiMessage& message)
{
    if (!event || event->space_id != CLAP_CORE_EVENT_SPACE_ID)
        return false;
    switch (event->type) {
    case CLAP_EVENT_NOTE_ON:
    case CLAP_EVENT_NOTE_OFF:
    case CLAP_EVENT_NOTE_CHOKE:
        // A choked note stops at once: for the view, a release.
        return event->size >= sizeof(clap_event_note_t) &&
            noteMessage(*reinterpret_cast<const clap_event_note_t*>(event),
                event->type == CLAP_EVENT_NOTE_ON ? 0x90 : 0x80, message);
    case CLAP_EVENT_MIDI: {
        if (event->size < sizeof(clap_event_midi_t))
            return false;
        const clap_event_midi_t& midi = *reinterpret_cast<const clap_event_midi_t*>(event);
        message = {{midi.data[0], midi.data[1], midi.data[2]}};
        return true;
    }
    default: return false;
    }
}

int32_t readMessages(const void* source, int32_t first, int32_t count, MidiMessage* messages)
{
    const clap_input_events_t& events = *static_cast<const clap_input_events_t*>(source);
    int32_t written = 0;
    for (int32_t index = first; index < first + count; ++index) {
        if (clapMidiMessage(events.get(&events, static_cast<uint32_t>(index)), messages[written]))
            ++written;
    }
    return written;
}

} // namespace

MidiMessageBlock clapMidiBlock(const clap_input_events_t& events)
{
    const uint32_t size = events.size ? events.size(&events) : 0;
    // A list without `get` is read as empty, as is the part of one beyond
    // what a block counts.
    const int32_t count = events.get ? static_cast<int32_t>(size > INT32_MAX ? INT32_MAX : size) : 0;
    return {readMessages, &events, count, false};
}
