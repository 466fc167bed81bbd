#pragma once
// The thread-check extension: the host says which of its threads is calling.
#include "formats/clap/abi/Entry.h"

constexpr char CLAP_EXT_THREAD_CHECK[] = "clap.thread-check";

struct clap_host_thread_check_t {
    bool (*is_main_thread)(const clap_host_t* host);
    bool (*is_audio_thread)(const clap_host_t* host);
};

QARN_CLAP_SIZE(clap_host_thread_check_t, 8, 16);
