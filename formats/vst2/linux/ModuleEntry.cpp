// The shared object's entry: `VSTPluginMain`, the name Linux hosts look for,
// and `main`, the older name, both the same function. They are the library's
// only exported symbols (formats/vst2/linux/exports.map). The toolkit gets the
// panel's bitmaps from the compiled-in files; the plug-in gets the editor's
// maker.
//
// Unlike the Windows DLL, the library says it can process replacing
// (effFlagsCanReplacing, flags 0x111): Linux hosts are VST 2.4 hosts, which
// call only processReplacing, and Ardour refuses a plug-in without the flag.
// The plug-in has no outputs, so the entry point, empty as on Windows, has
// nothing to replace.
#include "editor/ViewerEditor.h"
#include "framework/Vst2Abi.h"
#include "gui/BitmapFiles.h"
#include "formats/vst2/VstEntry.h"
#include "editor/linux/PanelBitmapFiles.h"

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host)
{
    setBitmapFiles(panelBitmapFiles);
    AEffect* effect = vstMain(host, createViewerEditor);
    if (effect)
        effect->flags |= effFlagsCanReplacing;
    return effect;
}

// A C++ function cannot be called main, so the name is given to the symbol.
extern "C" __attribute__((visibility("default"))) AEffect* vstPluginMainAlias(audioMasterCallback host) __asm__("main")
    __attribute__((alias("VSTPluginMain")));
