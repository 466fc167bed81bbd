// The DLL's entry points: the module entry, which records the instance handle,
// and `main`, the host's one way in (named through QarnViewer.def, since a C++
// function cannot be called main), which builds the plug-in with its editor.
#include "editor/ViewerEditor.h"
#include "framework/Vst2Abi.h"
#include "gui/ModuleHandle.h"
#include "formats/vst2/VstEntry.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID)
{
    setModuleInstance(instance);
    return TRUE;
}

extern "C" AEffect* VSTCALLBACK qarnViewerMain(audioMasterCallback host)
{
    return vstMain(host, createViewerEditor);
}
