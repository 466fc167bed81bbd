#pragma once
// The built plug-in library loaded as a host loads it: LoadLibrary on
// Windows, dlopen on Linux. One implementation per platform.
#include "framework/Vst2Abi.h"

typedef AEffect*(VSTCALLBACK* PluginMain)(audioMasterCallback host);

// The library at `path`, loaded once and kept for the process; its exported
// function `name`, or null when the library or the name is missing.
PluginMain pluginEntry(const char* path, const char* name);
