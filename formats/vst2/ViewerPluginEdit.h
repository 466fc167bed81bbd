#pragma once
// The plug-in with its editor: the object the host gets from `main`.
#include "formats/vst2/EditorFactory.h"
#include "formats/vst2/ViewerPlugin.h"

// Set when an editor could not be created; never cleared, so every later
// `main` in this process answers null too.
extern bool outOfMemory;

class ViewerPluginEdit : public ViewerPlugin {
public:
    // Creates the editor with `makeEditor`, which attaches it, and selects
    // the core's default instrument. Sets outOfMemory when the editor cannot be
    // allocated (a null maker makes none).
    ViewerPluginEdit(audioMasterCallback host, EditorMaker makeEditor);
    ~ViewerPluginEdit() override;
};
