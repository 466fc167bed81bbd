#pragma once
// The params extension: the plug-in's parameters as hosts list, show and
// automate them, and the host's side that hears of changes.
#include "formats/clap/abi/Entry.h"

constexpr char CLAP_EXT_PARAMS[] = "clap.params";

using clap_param_info_flags = uint32_t;
enum : clap_param_info_flags {
    CLAP_PARAM_IS_STEPPED = 1u << 0,
    CLAP_PARAM_IS_PERIODIC = 1u << 1,
    CLAP_PARAM_IS_HIDDEN = 1u << 2,
    CLAP_PARAM_IS_READONLY = 1u << 3,
    CLAP_PARAM_IS_BYPASS = 1u << 4,
    CLAP_PARAM_IS_AUTOMATABLE = 1u << 5,
    CLAP_PARAM_IS_AUTOMATABLE_PER_NOTE_ID = 1u << 6,
    CLAP_PARAM_IS_AUTOMATABLE_PER_KEY = 1u << 7,
    CLAP_PARAM_IS_AUTOMATABLE_PER_CHANNEL = 1u << 8,
    CLAP_PARAM_IS_AUTOMATABLE_PER_PORT = 1u << 9,
    CLAP_PARAM_IS_MODULATABLE = 1u << 10,
    CLAP_PARAM_IS_MODULATABLE_PER_NOTE_ID = 1u << 11,
    CLAP_PARAM_IS_MODULATABLE_PER_KEY = 1u << 12,
    CLAP_PARAM_IS_MODULATABLE_PER_CHANNEL = 1u << 13,
    CLAP_PARAM_IS_MODULATABLE_PER_PORT = 1u << 14,
    CLAP_PARAM_REQUIRES_PROCESS = 1u << 15,
    CLAP_PARAM_IS_ENUM = 1u << 16,
};

struct clap_param_info_t {
    clap_id id;
    clap_param_info_flags flags;
    void* cookie;
    char name[CLAP_NAME_SIZE];
    char module[CLAP_PATH_SIZE];
    double min_value;
    double max_value;
    double default_value;
};

struct clap_plugin_params_t {
    uint32_t (*count)(const clap_plugin_t* plugin);
    bool (*get_info)(const clap_plugin_t* plugin, uint32_t param_index, clap_param_info_t* param_info);
    bool (*get_value)(const clap_plugin_t* plugin, clap_id param_id, double* out_value);
    bool (*value_to_text)(
        const clap_plugin_t* plugin, clap_id param_id, double value, char* out_buffer, uint32_t out_buffer_capacity);
    bool (*text_to_value)(
        const clap_plugin_t* plugin, clap_id param_id, const char* param_value_text, double* out_value);
    // Parameter events outside `process`; never at the same time as it.
    void (*flush)(const clap_plugin_t* plugin, const clap_input_events_t* in, const clap_output_events_t* out);
};

using clap_param_rescan_flags = uint32_t;
enum : clap_param_rescan_flags {
    CLAP_PARAM_RESCAN_VALUES = 1u << 0,
    CLAP_PARAM_RESCAN_TEXT = 1u << 1,
    CLAP_PARAM_RESCAN_INFO = 1u << 2,
    CLAP_PARAM_RESCAN_ALL = 1u << 3,
};

using clap_param_clear_flags = uint32_t;
enum : clap_param_clear_flags {
    CLAP_PARAM_CLEAR_ALL = 1u << 0,
    CLAP_PARAM_CLEAR_AUTOMATIONS = 1u << 1,
    CLAP_PARAM_CLEAR_MODULATIONS = 1u << 2,
};

struct clap_host_params_t {
    void (*rescan)(const clap_host_t* host, clap_param_rescan_flags flags);
    void (*clear)(const clap_host_t* host, clap_id param_id, clap_param_clear_flags flags);
    // Asks for a `flush` (or a `process`) so the plug-in can send its changes.
    void (*request_flush)(const clap_host_t* host);
};

QARN_CLAP_SIZE(clap_param_info_t, 1320, 1320);
QARN_CLAP_OFFSET(clap_param_info_t, flags, 4, 4);
QARN_CLAP_OFFSET(clap_param_info_t, cookie, 8, 8);
QARN_CLAP_OFFSET(clap_param_info_t, name, 12, 16);
QARN_CLAP_OFFSET(clap_param_info_t, module, 268, 272);
QARN_CLAP_OFFSET(clap_param_info_t, min_value, 1296, 1296);
QARN_CLAP_OFFSET(clap_param_info_t, max_value, 1304, 1304);
QARN_CLAP_OFFSET(clap_param_info_t, default_value, 1312, 1312);
QARN_CLAP_SIZE(clap_plugin_params_t, 24, 48);
QARN_CLAP_OFFSET(clap_plugin_params_t, flush, 20, 40);
QARN_CLAP_SIZE(clap_host_params_t, 12, 24);
