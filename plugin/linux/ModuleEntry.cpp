// The shared object's entry: `VSTPluginMain`, the name Linux hosts look for,
// and `main`, the older name, both the same function. They are the library's
// only exported symbols (plugin/linux/exports.map). The toolkit gets the
// panel's bitmaps from the compiled-in files; the plug-in gets the editor's
// maker.
#include "editor/ViewerEditor.h"
#include "framework/Vst2Abi.h"
#include "gui/BitmapFiles.h"
#include "plugin/VstEntry.h"
#include "plugin/linux/PanelBitmapFiles.h"

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host)
{
    setBitmapFiles(panelBitmapFiles);
    return vstMain(host, createViewerEditor);
}

// A C++ function cannot be called main, so the name is given to the symbol.
extern "C" __attribute__((visibility("default"))) AEffect* vstPluginMainAlias(audioMasterCallback host) __asm__("main")
    __attribute__((alias("VSTPluginMain")));
