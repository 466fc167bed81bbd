#pragma once
// The audio-ports extension: the plug-in's audio inputs and outputs.
#include "formats/clap/abi/Entry.h"

constexpr char CLAP_EXT_AUDIO_PORTS[] = "clap.audio-ports";

struct clap_audio_port_info_t {
    clap_id id;
    char name[CLAP_NAME_SIZE];
    uint32_t flags;
    uint32_t channel_count;
    const char* port_type;
    clap_id in_place_pair;
};

struct clap_plugin_audio_ports_t {
    uint32_t (*count)(const clap_plugin_t* plugin, bool is_input);
    bool (*get)(const clap_plugin_t* plugin, uint32_t index, bool is_input, clap_audio_port_info_t* info);
};

QARN_CLAP_SIZE(clap_audio_port_info_t, 276, 288);
QARN_CLAP_OFFSET(clap_audio_port_info_t, name, 4, 4);
QARN_CLAP_OFFSET(clap_audio_port_info_t, flags, 260, 260);
QARN_CLAP_OFFSET(clap_audio_port_info_t, channel_count, 264, 264);
QARN_CLAP_OFFSET(clap_audio_port_info_t, port_type, 268, 272);
QARN_CLAP_OFFSET(clap_audio_port_info_t, in_place_pair, 272, 280);
QARN_CLAP_SIZE(clap_plugin_audio_ports_t, 8, 16);
