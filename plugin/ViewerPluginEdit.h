#pragma once
// The plug-in with its editor: the object the host gets from `main`.
#include "plugin/EditorFactory.h"
#include "plugin/ViewerPlugin.h"

// Set when an editor could not be created; never cleared, so every later
// `main` in this process answers null too.
extern bool outOfMemory;

class ViewerPluginEdit : public ViewerPlugin {
public:
    // Creates the editor with `makeEditor`, which attaches it, and selects
    // program 3 (the 88-key piano). Sets outOfMemory when the editor cannot be
    // allocated (a null maker makes none).
    ViewerPluginEdit(audioMasterCallback host, EditorMaker makeEditor);
    ~ViewerPluginEdit() override;
};
