#pragma once
// How CLAP hosts list the plug-in.
#include "formats/clap/abi/Entry.h"

// Reverse-domain, as CLAP ids are; it must never change, or hosts lose the
// plug-in in saved projects.
constexpr char clapPluginId[] = "com.qarn.viewer";

const clap_plugin_descriptor_t& clapDescriptor();
