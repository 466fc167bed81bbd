#pragma once
// The state extension: what the host keeps of the plug-in in its project.
#include "formats/clap/abi/Entry.h"
#include "formats/clap/abi/Streams.h"

constexpr char CLAP_EXT_STATE[] = "clap.state";

struct clap_plugin_state_t {
    bool (*save)(const clap_plugin_t* plugin, const clap_ostream_t* stream);
    bool (*load)(const clap_plugin_t* plugin, const clap_istream_t* stream);
};

struct clap_host_state_t {
    // The state changed since it was last saved or loaded.
    void (*mark_dirty)(const clap_host_t* host);
};

QARN_CLAP_SIZE(clap_plugin_state_t, 8, 16);
QARN_CLAP_SIZE(clap_host_state_t, 4, 8);
