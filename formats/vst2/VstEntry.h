#pragma once
// What the library's entry (`main`, `VSTPluginMain`) does: checks the host,
// builds the plug-in with the editor `makeEditor` creates and answers its
// AEffect record, or null when it cannot.
#include "framework/Vst2Abi.h"
#include "formats/vst2/EditorFactory.h"

AEffect* vstMain(audioMasterCallback host, EditorMaker makeEditor);
