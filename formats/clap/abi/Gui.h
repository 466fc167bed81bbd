#pragma once
// The gui extension: the plug-in's editor in a window the host hands over
// (embedded) or in one of its own (floating), and the host's side of it.
#include "formats/clap/abi/Entry.h"

constexpr char CLAP_EXT_GUI[] = "clap.gui";

constexpr char CLAP_WINDOW_API_WIN32[] = "win32";
constexpr char CLAP_WINDOW_API_COCOA[] = "cocoa";
constexpr char CLAP_WINDOW_API_X11[] = "x11";
constexpr char CLAP_WINDOW_API_WAYLAND[] = "wayland";

using clap_hwnd = void*;
using clap_nsview = void*;
using clap_xwnd = unsigned long; // an X11 Window

struct clap_window_t {
    const char* api; // one of CLAP_WINDOW_API_*
    union {
        clap_nsview cocoa;
        clap_xwnd x11;
        clap_hwnd win32;
        void* ptr;
    };
};

struct clap_gui_resize_hints_t {
    bool can_resize_horizontally;
    bool can_resize_vertically;
    bool preserve_aspect_ratio;
    uint32_t aspect_ratio_width;
    uint32_t aspect_ratio_height;
};

struct clap_plugin_gui_t {
    bool (*is_api_supported)(const clap_plugin_t* plugin, const char* api, bool is_floating);
    bool (*get_preferred_api)(const clap_plugin_t* plugin, const char** api, bool* is_floating);
    bool (*create)(const clap_plugin_t* plugin, const char* api, bool is_floating);
    void (*destroy)(const clap_plugin_t* plugin);
    bool (*set_scale)(const clap_plugin_t* plugin, double scale);
    bool (*get_size)(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height);
    bool (*can_resize)(const clap_plugin_t* plugin);
    bool (*get_resize_hints)(const clap_plugin_t* plugin, clap_gui_resize_hints_t* hints);
    bool (*adjust_size)(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height);
    bool (*set_size)(const clap_plugin_t* plugin, uint32_t width, uint32_t height);
    bool (*set_parent)(const clap_plugin_t* plugin, const clap_window_t* window);
    bool (*set_transient)(const clap_plugin_t* plugin, const clap_window_t* window);
    void (*suggest_title)(const clap_plugin_t* plugin, const char* title);
    bool (*show)(const clap_plugin_t* plugin);
    bool (*hide)(const clap_plugin_t* plugin);
};

struct clap_host_gui_t {
    void (*resize_hints_changed)(const clap_host_t* host);
    bool (*request_resize)(const clap_host_t* host, uint32_t width, uint32_t height);
    bool (*request_show)(const clap_host_t* host);
    bool (*request_hide)(const clap_host_t* host);
    void (*closed)(const clap_host_t* host, bool was_destroyed);
};

QARN_CLAP_SIZE(clap_window_t, 8, 16);
QARN_CLAP_OFFSET(clap_window_t, x11, 4, 8);
QARN_CLAP_OFFSET(clap_window_t, win32, 4, 8);
QARN_CLAP_SIZE(clap_gui_resize_hints_t, 12, 12);
QARN_CLAP_OFFSET(clap_gui_resize_hints_t, aspect_ratio_width, 4, 4);
QARN_CLAP_SIZE(clap_plugin_gui_t, 60, 120);
QARN_CLAP_OFFSET(clap_plugin_gui_t, create, 8, 16);
QARN_CLAP_OFFSET(clap_plugin_gui_t, set_parent, 40, 80);
QARN_CLAP_OFFSET(clap_plugin_gui_t, hide, 56, 112);
QARN_CLAP_SIZE(clap_host_gui_t, 20, 40);
