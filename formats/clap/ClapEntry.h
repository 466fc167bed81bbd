#pragma once
// What the library's `clap_entry` does, for either platform: the platform's
// entry hands over what differs (the editor's maker, the window kind its
// hosts embed) and exports the record.
#include "core/EditorPort.h"
#include "formats/clap/abi/Gui.h"

// What a platform's entry tells the adapter.
struct ClapPlatform {
    EditorPortMaker makeEditor;
    // The one kind of host window the editor embeds in (CLAP_WINDOW_API_*).
    const char* windowApi;
    // The native parent in the form the editor opens in (core/EditorPort.h).
    void* (*parentOf)(const clap_window_t& window);
};

// The entry's init, given the platform: true. Hosts may call it more than
// once; each call needs its deinit.
bool clapEntryInit(const ClapPlatform& platform);
void clapEntryDeinit();
// The plug-in factory for CLAP_PLUGIN_FACTORY_ID between init and deinit;
// null for anything else.
const void* clapEntryFactory(const char* factoryId);
