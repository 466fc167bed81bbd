#pragma once
// Which format a plug-in file speaks, and the plug-in loaded in it: a file
// named `.clap`, or a library exporting `clap_entry`, is a CLAP plug-in; a
// VST 3 bundle folder (its module for this platform inside), a file named
// `.vst3` or a library exporting `GetPluginFactory` a VST 3 one; any other
// library a VST 2 one. A PluginOpener for the session.
#include "host/engine/LoadedPlugin.h"

std::unique_ptr<LoadedPlugin> openPlugin(
    const std::string& path, double sampleRate, int32_t blockSize, std::string& error);
