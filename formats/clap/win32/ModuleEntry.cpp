// The CLAP library's entry on Windows: the module entry, which records the
// instance handle the toolkit finds the panel's bitmaps by, and
// `clap_entry`, the DLL's only export (formats/clap/win32/QarnViewer.def).
// The editor embeds in the host's Win32 window.
#include "editor/ViewerEditorPort.h"
#include "formats/clap/ClapEntry.h"
#include "gui/ModuleHandle.h"

#include <windows.h>

namespace {

void* parentOf(const clap_window_t& window)
{
    return window.win32;
}

const ClapPlatform platform = {createViewerEditorPort, CLAP_WINDOW_API_WIN32, parentOf};

bool init(const char*)
{
    return clapEntryInit(platform);
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID)
{
    setModuleInstance(instance);
    return TRUE;
}

extern "C" const clap_plugin_entry_t clap_entry = {CLAP_VERSION, init, clapEntryDeinit, clapEntryFactory};
