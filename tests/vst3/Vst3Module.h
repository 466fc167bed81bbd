#pragma once
// The built VST 3 module loaded as a host loads it: dlopen and ModuleEntry
// on Linux, LoadLibrary and InitDll on Windows. One implementation per
// platform.
#include "formats/vst3/abi/Factory.h"

// The module's factory, the module loaded and initialized once for the
// process; null when the module or an export is missing or init fails.
vst3::IPluginFactory* moduleFactory();
// The kind of parent window the platform's hosts attach views to.
const char* platformWindowType();
