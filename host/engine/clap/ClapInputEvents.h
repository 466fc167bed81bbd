#pragma once
// The host's block of MIDI as a CLAP plug-in takes it: an input event list
// of MIDI events, or of CLAP note events for a plug-in that takes only
// those, with a change of a parameter first when there is one. Storage is
// kept between blocks; a block larger than any before grows it once.
#include "formats/clap/abi/Events.h"
#include "framework/Vst2Abi.h"

#include <cstddef>
#include <vector>

class ClapInputEvents {
public:
    enum class Dialect { Midi, ClapNotes };

    ClapInputEvents();
    ClapInputEvents(const ClapInputEvents&) = delete;
    ClapInputEvents& operator=(const ClapInputEvents&) = delete;

    // Room for this many events without growing.
    void reserve(size_t events);
    void clear();
    // A parameter's new value at the block's first frame.
    void addParameterValue(clap_id id, void* cookie, double value);
    // The block's MIDI events, at their frames. The CLAP dialect keeps note-ons
    // (a velocity of 0 is a note-off, as in MIDI) and note-offs only.
    void addMidi(const VstEvents& events, Dialect dialect);

    const clap_input_events_t* list() const { return &events; }
    size_t size() const { return order.size(); }

private:
    static uint32_t sizeOf(const clap_input_events_t* list);
    static const clap_event_header_t* get(const clap_input_events_t* list, uint32_t index);

    clap_input_events_t events{};
    // Each kind in a list of its own; `order` names them in time order by
    // list and place, which stay true when a list grows.
    enum class Kind : uint8_t { Parameter, Midi, Note };
    struct Entry {
        Kind kind;
        uint32_t index;
    };
    std::vector<clap_event_param_value_t> parameters;
    std::vector<clap_event_midi_t> midi;
    std::vector<clap_event_note_t> notes;
    std::vector<Entry> order;
};
