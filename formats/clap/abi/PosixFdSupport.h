#pragma once
// The posix-fd-support extension: the host's main loop watches a file
// descriptor of the plug-in's and calls it on the main thread when it is ready.
#include "formats/clap/abi/Entry.h"

constexpr char CLAP_EXT_POSIX_FD_SUPPORT[] = "clap.posix-fd-support";

using clap_posix_fd_flags_t = uint32_t;
enum : clap_posix_fd_flags_t {
    CLAP_POSIX_FD_READ = 1u << 0,
    CLAP_POSIX_FD_WRITE = 1u << 1,
    CLAP_POSIX_FD_ERROR = 1u << 2,
};

struct clap_plugin_posix_fd_support_t {
    void (*on_fd)(const clap_plugin_t* plugin, int fd, clap_posix_fd_flags_t flags);
};

struct clap_host_posix_fd_support_t {
    bool (*register_fd)(const clap_host_t* host, int fd, clap_posix_fd_flags_t flags);
    bool (*modify_fd)(const clap_host_t* host, int fd, clap_posix_fd_flags_t flags);
    bool (*unregister_fd)(const clap_host_t* host, int fd);
};

QARN_CLAP_SIZE(clap_plugin_posix_fd_support_t, 4, 8);
QARN_CLAP_SIZE(clap_host_posix_fd_support_t, 12, 24);
