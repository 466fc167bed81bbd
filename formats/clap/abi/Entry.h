#pragma once
// The records of a CLAP library: the exported entry, the plug-in factory and
// descriptor, the plug-in and host objects, and the block `process` is handed.
// Every function in the records uses the compilers' default convention,
// which is CLAP's (cdecl on 32-bit Windows).
#include "formats/clap/abi/Events.h"
#include "formats/clap/abi/Layout.h"

#include <cstdint>

struct clap_version_t {
    uint32_t major;
    uint32_t minor;
    uint32_t revision;
};

// The version of the format these records describe; hosts load any 1.x.
constexpr clap_version_t CLAP_VERSION = {1, 2, 0};

// Which text buffers of the format hold: names, and paths or modules.
constexpr uint32_t CLAP_NAME_SIZE = 256;
constexpr uint32_t CLAP_PATH_SIZE = 1024;

struct clap_host_t {
    clap_version_t clap_version;
    void* host_data;
    const char* name;
    const char* vendor;
    const char* url;
    const char* version;
    // Null for an extension the host does not offer.
    const void* (*get_extension)(const clap_host_t* host, const char* extension_id);
    void (*request_restart)(const clap_host_t* host);
    void (*request_process)(const clap_host_t* host);
    // Asks for a call of the plug-in's on_main_thread.
    void (*request_callback)(const clap_host_t* host);
};

struct clap_plugin_descriptor_t {
    clap_version_t clap_version;
    const char* id;
    const char* name;
    const char* vendor;
    const char* url;
    const char* manual_url;
    const char* support_url;
    const char* version;
    const char* description;
    const char* const* features; // null-terminated
};

// The plug-in's features, what hosts sort it by; the first is its kind.
constexpr char CLAP_PLUGIN_FEATURE_INSTRUMENT[] = "instrument";
constexpr char CLAP_PLUGIN_FEATURE_AUDIO_EFFECT[] = "audio-effect";
constexpr char CLAP_PLUGIN_FEATURE_NOTE_EFFECT[] = "note-effect";
constexpr char CLAP_PLUGIN_FEATURE_NOTE_DETECTOR[] = "note-detector";
constexpr char CLAP_PLUGIN_FEATURE_ANALYZER[] = "analyzer";
constexpr char CLAP_PLUGIN_FEATURE_UTILITY[] = "utility";

struct clap_audio_buffer_t {
    float** data32;
    double** data64;
    uint32_t channel_count;
    uint32_t latency;
    uint64_t constant_mask;
};

struct clap_process_t {
    int64_t steady_time; // -1 when the host has no sample clock
    uint32_t frames_count;
    const clap_event_transport_t* transport;
    const clap_audio_buffer_t* audio_inputs;
    clap_audio_buffer_t* audio_outputs;
    uint32_t audio_inputs_count;
    uint32_t audio_outputs_count;
    const clap_input_events_t* in_events;
    const clap_output_events_t* out_events;
};

using clap_process_status = int32_t;
enum : clap_process_status {
    CLAP_PROCESS_ERROR = 0,
    CLAP_PROCESS_CONTINUE = 1,
    CLAP_PROCESS_CONTINUE_IF_NOT_QUIET = 2,
    CLAP_PROCESS_TAIL = 3,
    CLAP_PROCESS_SLEEP = 4,
};

struct clap_plugin_t {
    const clap_plugin_descriptor_t* desc;
    void* plugin_data;
    bool (*init)(const clap_plugin_t* plugin);
    void (*destroy)(const clap_plugin_t* plugin);
    bool (*activate)(
        const clap_plugin_t* plugin, double sample_rate, uint32_t min_frames_count, uint32_t max_frames_count);
    void (*deactivate)(const clap_plugin_t* plugin);
    bool (*start_processing)(const clap_plugin_t* plugin);
    void (*stop_processing)(const clap_plugin_t* plugin);
    void (*reset)(const clap_plugin_t* plugin);
    clap_process_status (*process)(const clap_plugin_t* plugin, const clap_process_t* process);
    // Null for an extension the plug-in does not offer.
    const void* (*get_extension)(const clap_plugin_t* plugin, const char* id);
    void (*on_main_thread)(const clap_plugin_t* plugin);
};

constexpr char CLAP_PLUGIN_FACTORY_ID[] = "clap.plugin-factory";

struct clap_plugin_factory_t {
    uint32_t (*get_plugin_count)(const clap_plugin_factory_t* factory);
    const clap_plugin_descriptor_t* (*get_plugin_descriptor)(const clap_plugin_factory_t* factory, uint32_t index);
    // Null for an id the library does not know.
    const clap_plugin_t* (*create_plugin)(
        const clap_plugin_factory_t* factory, const clap_host_t* host, const char* plugin_id);
};

// What a CLAP library exports under the name `clap_entry`.
struct clap_plugin_entry_t {
    clap_version_t clap_version;
    bool (*init)(const char* plugin_path);
    void (*deinit)();
    const void* (*get_factory)(const char* factory_id);
};

QARN_CLAP_SIZE(clap_version_t, 12, 12);
QARN_CLAP_SIZE(clap_host_t, 48, 88);
QARN_CLAP_OFFSET(clap_host_t, host_data, 12, 16);
QARN_CLAP_OFFSET(clap_host_t, name, 16, 24);
QARN_CLAP_OFFSET(clap_host_t, version, 28, 48);
QARN_CLAP_OFFSET(clap_host_t, get_extension, 32, 56);
QARN_CLAP_OFFSET(clap_host_t, request_restart, 36, 64);
QARN_CLAP_OFFSET(clap_host_t, request_process, 40, 72);
QARN_CLAP_OFFSET(clap_host_t, request_callback, 44, 80);
QARN_CLAP_SIZE(clap_plugin_descriptor_t, 48, 88);
QARN_CLAP_OFFSET(clap_plugin_descriptor_t, id, 12, 16);
QARN_CLAP_OFFSET(clap_plugin_descriptor_t, name, 16, 24);
QARN_CLAP_OFFSET(clap_plugin_descriptor_t, vendor, 20, 32);
QARN_CLAP_OFFSET(clap_plugin_descriptor_t, version, 36, 64);
QARN_CLAP_OFFSET(clap_plugin_descriptor_t, description, 40, 72);
QARN_CLAP_OFFSET(clap_plugin_descriptor_t, features, 44, 80);
QARN_CLAP_SIZE(clap_audio_buffer_t, 24, 32);
QARN_CLAP_OFFSET(clap_audio_buffer_t, channel_count, 8, 16);
QARN_CLAP_OFFSET(clap_audio_buffer_t, constant_mask, 16, 24);
QARN_CLAP_SIZE(clap_process_t, 40, 64);
QARN_CLAP_OFFSET(clap_process_t, frames_count, 8, 8);
QARN_CLAP_OFFSET(clap_process_t, transport, 12, 16);
QARN_CLAP_OFFSET(clap_process_t, audio_inputs, 16, 24);
QARN_CLAP_OFFSET(clap_process_t, audio_outputs, 20, 32);
QARN_CLAP_OFFSET(clap_process_t, audio_inputs_count, 24, 40);
QARN_CLAP_OFFSET(clap_process_t, audio_outputs_count, 28, 44);
QARN_CLAP_OFFSET(clap_process_t, in_events, 32, 48);
QARN_CLAP_OFFSET(clap_process_t, out_events, 36, 56);
QARN_CLAP_SIZE(clap_plugin_t, 48, 96);
QARN_CLAP_OFFSET(clap_plugin_t, plugin_data, 4, 8);
QARN_CLAP_OFFSET(clap_plugin_t, init, 8, 16);
QARN_CLAP_OFFSET(clap_plugin_t, activate, 16, 32);
QARN_CLAP_OFFSET(clap_plugin_t, process, 36, 72);
QARN_CLAP_OFFSET(clap_plugin_t, get_extension, 40, 80);
QARN_CLAP_OFFSET(clap_plugin_t, on_main_thread, 44, 88);
QARN_CLAP_SIZE(clap_plugin_factory_t, 12, 24);
QARN_CLAP_OFFSET(clap_plugin_factory_t, create_plugin, 8, 16);
QARN_CLAP_SIZE(clap_plugin_entry_t, 24, 40);
QARN_CLAP_OFFSET(clap_plugin_entry_t, init, 12, 16);
QARN_CLAP_OFFSET(clap_plugin_entry_t, deinit, 16, 24);
QARN_CLAP_OFFSET(clap_plugin_entry_t, get_factory, 20, 32);
