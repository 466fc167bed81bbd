#pragma once
// The note-ports extension: the plug-in's note inputs and outputs, and the
// dialects each one takes.
#include "formats/clap/abi/Entry.h"

constexpr char CLAP_EXT_NOTE_PORTS[] = "clap.note-ports";

enum : uint32_t {
    CLAP_NOTE_DIALECT_CLAP = 1u << 0,
    CLAP_NOTE_DIALECT_MIDI = 1u << 1,
    CLAP_NOTE_DIALECT_MIDI_MPE = 1u << 2,
    CLAP_NOTE_DIALECT_MIDI2 = 1u << 3,
};

struct clap_note_port_info_t {
    clap_id id;
    uint32_t supported_dialects;
    uint32_t preferred_dialect;
    char name[CLAP_NAME_SIZE];
};

struct clap_plugin_note_ports_t {
    uint32_t (*count)(const clap_plugin_t* plugin, bool is_input);
    bool (*get)(const clap_plugin_t* plugin, uint32_t index, bool is_input, clap_note_port_info_t* info);
};

enum : uint32_t {
    CLAP_NOTE_PORTS_RESCAN_ALL = 1u << 0,
    CLAP_NOTE_PORTS_RESCAN_NAMES = 1u << 1,
};

struct clap_host_note_ports_t {
    uint32_t (*supported_dialects)(const clap_host_t* host);
    void (*rescan)(const clap_host_t* host, uint32_t flags);
};

QARN_CLAP_SIZE(clap_note_port_info_t, 268, 268);
QARN_CLAP_OFFSET(clap_note_port_info_t, supported_dialects, 4, 4);
QARN_CLAP_OFFSET(clap_note_port_info_t, preferred_dialect, 8, 8);
QARN_CLAP_OFFSET(clap_note_port_info_t, name, 12, 12);
QARN_CLAP_SIZE(clap_plugin_note_ports_t, 8, 16);
QARN_CLAP_SIZE(clap_host_note_ports_t, 8, 16);
