#pragma once
// The timer-support extension: periodic calls on the host's main thread.
#include "formats/clap/abi/Entry.h"

constexpr char CLAP_EXT_TIMER_SUPPORT[] = "clap.timer-support";

struct clap_plugin_timer_support_t {
    void (*on_timer)(const clap_plugin_t* plugin, clap_id timer_id);
};

struct clap_host_timer_support_t {
    bool (*register_timer)(const clap_host_t* host, uint32_t period_ms, clap_id* timer_id);
    bool (*unregister_timer)(const clap_host_t* host, clap_id timer_id);
};

QARN_CLAP_SIZE(clap_plugin_timer_support_t, 4, 8);
QARN_CLAP_SIZE(clap_host_timer_support_t, 8, 16);
