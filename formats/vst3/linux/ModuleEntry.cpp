// The VST 3 module's exports on Linux (formats/vst3/linux/exports.map): the
// factory, and the init and exit hosts call around it. The editor embeds in
// the host's X11 window, its idle from the host's run loop; the toolkit gets
// the panel's bitmaps from the compiled-in files.
#include "editor/ViewerEditorPort.h"
#include "editor/linux/PanelBitmapFiles.h"
#include "formats/vst3/Vst3Module.h"
#include "formats/vst3/abi/Controller.h"
#include "gui/BitmapFiles.h"

namespace {
const Vst3Platform platform = {createViewerEditorPort, vst3::kPlatformTypeX11EmbedWindowID, nullptr, nullptr};
}

#define QARN_VST3_EXPORT extern "C" __attribute__((visibility("default")))

QARN_VST3_EXPORT vst3::IPluginFactory* GetPluginFactory()
{
    setBitmapFiles(panelBitmapFiles);
    return vst3Factory(platform);
}

QARN_VST3_EXPORT bool ModuleEntry(void*)
{
    return true;
}

QARN_VST3_EXPORT bool ModuleExit()
{
    return true;
}
