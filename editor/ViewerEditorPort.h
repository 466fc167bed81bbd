#pragma once
// The editor as a format other than VST 2 opens it through the core
// (core/EditorPort.h): the same panel and 3-D view, attached to no effect.
// The VST 2 plug-in keeps its editor on the effect framework's own path.
#include "core/EditorPort.h"

// Null when the editor cannot be allocated.
EditorPort* createViewerEditorPort();
