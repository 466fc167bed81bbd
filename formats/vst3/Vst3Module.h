#pragma once
// What the module's factory does, for either platform: the platform's entry
// hands over what differs (the editor's maker, the kind of window its hosts
// attach a view to, and on Windows the idle timer) and exports the factory.
#include "core/EditorPort.h"
#include "formats/vst3/abi/Factory.h"

// What a platform's entry tells the adapter.
struct Vst3Platform {
    EditorPortMaker makeEditor;
    // The one kind of parent window the editor attaches to (kPlatformType*).
    const char* windowType;
    // Calls tick(context) on the user-interface thread about every `periodMs`
    // until stopIdle: for hosts with no run loop to offer (Windows). Null
    // where the host's frame has one.
    bool (*startIdle)(void* parent, void* context, void (*tick)(void* context), uint32_t periodMs);
    void (*stopIdle)(void* parent, void* context);
};

// The factory GetPluginFactory answers: one for the module's lifetime,
// counted but never freed. The module's init and exit, which not every host
// calls, have nothing to do.
vst3::IPluginFactory* vst3Factory(const Vst3Platform& platform);
