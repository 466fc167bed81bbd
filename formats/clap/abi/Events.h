#pragma once
// The events a CLAP host and plug-in exchange in `process` and `flush`: the
// header every event starts with, the note, MIDI and parameter-value events,
// the transport as `process` hands it over, and the two lists that carry
// them.
#include "formats/clap/abi/Layout.h"

#include <cstdint>

using clap_id = uint32_t;
constexpr clap_id CLAP_INVALID_ID = UINT32_MAX;

// Events of this space are the format's own; hosts may add spaces of theirs.
constexpr uint16_t CLAP_CORE_EVENT_SPACE_ID = 0;

enum : uint16_t {
    CLAP_EVENT_NOTE_ON = 0,
    CLAP_EVENT_NOTE_OFF = 1,
    CLAP_EVENT_NOTE_CHOKE = 2,
    CLAP_EVENT_NOTE_END = 3,
    CLAP_EVENT_NOTE_EXPRESSION = 4,
    CLAP_EVENT_PARAM_VALUE = 5,
    CLAP_EVENT_PARAM_MOD = 6,
    CLAP_EVENT_PARAM_GESTURE_BEGIN = 7,
    CLAP_EVENT_PARAM_GESTURE_END = 8,
    CLAP_EVENT_TRANSPORT = 9,
    CLAP_EVENT_MIDI = 10,
    CLAP_EVENT_MIDI_SYSEX = 11,
    CLAP_EVENT_MIDI2 = 12,
};

enum : uint32_t {
    CLAP_EVENT_IS_LIVE = 1u << 0,
    CLAP_EVENT_DONT_RECORD = 1u << 1,
};

struct clap_event_header_t {
    uint32_t size; // of the whole event, header included
    uint32_t time; // sample offset in the block
    uint16_t space_id;
    uint16_t type;
    uint32_t flags;
};

// NOTE_ON, NOTE_OFF, NOTE_CHOKE and NOTE_END. -1 in note_id, port_index,
// channel or key is a wildcard.
struct clap_event_note_t {
    clap_event_header_t header;
    int32_t note_id;
    int16_t port_index;
    int16_t channel; // 0..15
    int16_t key; // 0..127
    double velocity; // 0..1
};

struct clap_event_param_value_t {
    clap_event_header_t header;
    clap_id param_id;
    void* cookie;
    int32_t note_id;
    int16_t port_index;
    int16_t channel;
    int16_t key;
    double value;
};

struct clap_event_midi_t {
    clap_event_header_t header;
    uint16_t port_index;
    uint8_t data[3];
};

// Positions on the host's timeline are fixed-point numbers: beats and seconds
// times these factors.
using clap_beattime = int64_t;
using clap_sectime = int64_t;
constexpr int64_t CLAP_BEATTIME_FACTOR = int64_t{1} << 31;
constexpr int64_t CLAP_SECTIME_FACTOR = int64_t{1} << 31;

enum : uint32_t {
    CLAP_TRANSPORT_HAS_TEMPO = 1u << 0,
    CLAP_TRANSPORT_HAS_BEATS_TIMELINE = 1u << 1,
    CLAP_TRANSPORT_HAS_SECONDS_TIMELINE = 1u << 2,
    CLAP_TRANSPORT_HAS_TIME_SIGNATURE = 1u << 3,
    CLAP_TRANSPORT_IS_PLAYING = 1u << 4,
    CLAP_TRANSPORT_IS_RECORDING = 1u << 5,
    CLAP_TRANSPORT_IS_LOOP_ACTIVE = 1u << 6,
    CLAP_TRANSPORT_IS_WITHIN_PRE_ROLL = 1u << 7,
};

// Where the host's transport stands at the start of a block; the flags say
// which members hold something.
struct clap_event_transport_t {
    clap_event_header_t header;
    uint32_t flags;
    clap_beattime song_pos_beats;
    clap_sectime song_pos_seconds;
    double tempo; // beats per minute
    double tempo_inc; // per sample, to the next transport event
    clap_beattime loop_start_beats;
    clap_beattime loop_end_beats;
    clap_sectime loop_start_seconds;
    clap_sectime loop_end_seconds;
    clap_beattime bar_start;
    int32_t bar_number; // from 0
    uint16_t tsig_num;
    uint16_t tsig_denom;
};

// Sorted by time; valid for the call they are handed to.
struct clap_input_events_t {
    void* ctx;
    uint32_t (*size)(const clap_input_events_t* list);
    const clap_event_header_t* (*get)(const clap_input_events_t* list, uint32_t index);
};

struct clap_output_events_t {
    void* ctx;
    // False when the host could not take the event.
    bool (*try_push)(const clap_output_events_t* list, const clap_event_header_t* event);
};

QARN_CLAP_SIZE(clap_event_header_t, 16, 16);
QARN_CLAP_OFFSET(clap_event_header_t, time, 4, 4);
QARN_CLAP_OFFSET(clap_event_header_t, space_id, 8, 8);
QARN_CLAP_OFFSET(clap_event_header_t, type, 10, 10);
QARN_CLAP_OFFSET(clap_event_header_t, flags, 12, 12);
QARN_CLAP_SIZE(clap_event_note_t, 40, 40);
QARN_CLAP_OFFSET(clap_event_note_t, note_id, 16, 16);
QARN_CLAP_OFFSET(clap_event_note_t, port_index, 20, 20);
QARN_CLAP_OFFSET(clap_event_note_t, channel, 22, 22);
QARN_CLAP_OFFSET(clap_event_note_t, key, 24, 24);
QARN_CLAP_OFFSET(clap_event_note_t, velocity, 32, 32);
QARN_CLAP_SIZE(clap_event_param_value_t, 48, 56);
QARN_CLAP_OFFSET(clap_event_param_value_t, param_id, 16, 16);
QARN_CLAP_OFFSET(clap_event_param_value_t, cookie, 20, 24);
QARN_CLAP_OFFSET(clap_event_param_value_t, note_id, 24, 32);
QARN_CLAP_OFFSET(clap_event_param_value_t, port_index, 28, 36);
QARN_CLAP_OFFSET(clap_event_param_value_t, channel, 30, 38);
QARN_CLAP_OFFSET(clap_event_param_value_t, key, 32, 40);
QARN_CLAP_OFFSET(clap_event_param_value_t, value, 40, 48);
QARN_CLAP_SIZE(clap_event_midi_t, 24, 24);
QARN_CLAP_OFFSET(clap_event_midi_t, port_index, 16, 16);
QARN_CLAP_OFFSET(clap_event_midi_t, data, 18, 18);
QARN_CLAP_SIZE(clap_event_transport_t, 104, 104);
QARN_CLAP_OFFSET(clap_event_transport_t, flags, 16, 16);
QARN_CLAP_OFFSET(clap_event_transport_t, song_pos_beats, 24, 24);
QARN_CLAP_OFFSET(clap_event_transport_t, song_pos_seconds, 32, 32);
QARN_CLAP_OFFSET(clap_event_transport_t, tempo, 40, 40);
QARN_CLAP_OFFSET(clap_event_transport_t, loop_start_beats, 56, 56);
QARN_CLAP_OFFSET(clap_event_transport_t, bar_start, 88, 88);
QARN_CLAP_OFFSET(clap_event_transport_t, bar_number, 96, 96);
QARN_CLAP_OFFSET(clap_event_transport_t, tsig_num, 100, 100);
QARN_CLAP_OFFSET(clap_event_transport_t, tsig_denom, 102, 102);
QARN_CLAP_SIZE(clap_input_events_t, 12, 24);
QARN_CLAP_OFFSET(clap_input_events_t, size, 4, 8);
QARN_CLAP_OFFSET(clap_input_events_t, get, 8, 16);
QARN_CLAP_SIZE(clap_output_events_t, 8, 16);
QARN_CLAP_OFFSET(clap_output_events_t, try_push, 4, 8);
