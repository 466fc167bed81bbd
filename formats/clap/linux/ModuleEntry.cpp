// The CLAP library's entry on Linux: `clap_entry`, its only exported symbol
// (formats/clap/linux/exports.map). The editor embeds in the host's X11
// window; the toolkit gets the panel's bitmaps from the compiled-in files.
#include "editor/ViewerEditorPort.h"
#include "editor/linux/PanelBitmapFiles.h"
#include "formats/clap/ClapEntry.h"
#include "gui/BitmapFiles.h"

#include <cstdint>

namespace {

// The X11 Window id in a pointer, as the editor takes it.
void* parentOf(const clap_window_t& window)
{
    return reinterpret_cast<void*>(static_cast<uintptr_t>(window.x11));
}

const ClapPlatform platform = {createViewerEditorPort, CLAP_WINDOW_API_X11, parentOf};

bool init(const char*)
{
    setBitmapFiles(panelBitmapFiles);
    return clapEntryInit(platform);
}

} // namespace

extern "C" __attribute__((visibility("default")))
const clap_plugin_entry_t clap_entry = {CLAP_VERSION, init, clapEntryDeinit, clapEntryFactory};
