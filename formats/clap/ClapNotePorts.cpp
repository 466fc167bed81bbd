// One note input, taking notes of both dialects a host may send: CLAP's own
// note events and MIDI. No note output.
#include "formats/clap/ClapViewer.h"

#include <cstdio>
#include <cstring>

namespace {

uint32_t count(const clap_plugin_t* plugin, bool isInput)
{
    return viewerOf(plugin) && isInput ? 1 : 0;
}

bool get(const clap_plugin_t* plugin, uint32_t index, bool isInput, clap_note_port_info_t* info)
{
    if (!viewerOf(plugin) || !isInput || index != 0 || !info)
        return false;
    std::memset(info, 0, sizeof *info);
    info->id = 0;
    info->supported_dialects = CLAP_NOTE_DIALECT_CLAP | CLAP_NOTE_DIALECT_MIDI;
    info->preferred_dialect = CLAP_NOTE_DIALECT_CLAP;
    std::snprintf(info->name, sizeof info->name, "Notes");
    return true;
}

} // namespace

const clap_plugin_note_ports_t viewerNotePorts = {count, get};
