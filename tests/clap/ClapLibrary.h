#pragma once
// The built QarnViewer.clap loaded as a host loads it: dlopen on Linux,
// LoadLibrary on Windows. One implementation per platform.
#include "formats/clap/abi/Entry.h"

// The library's `clap_entry`, the library loaded once and kept for the
// process; null when the library or the symbol is missing.
const clap_plugin_entry_t* clapEntry();
