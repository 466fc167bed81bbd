// The VST 3 module's exports on Windows (formats/vst3/win32/QarnViewer.def):
// the factory, and the init and exit hosts call around it; and the module
// entry, which records the instance handle the toolkit finds the panel's
// bitmaps by. The editor embeds in the host's HWND; VST 3 gives a Windows
// view no idle of the host's, so a timer on that window serves instead.
#include "editor/ViewerEditorPort.h"
#include "formats/vst3/Vst3Module.h"
#include "formats/vst3/abi/Controller.h"
#include "gui/ModuleHandle.h"

#include <windows.h>

namespace {

void (*idleTick)(void*) = nullptr;

// The timer's id is the view it idles.
void CALLBACK onIdleTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    idleTick(reinterpret_cast<void*>(id));
}

bool startIdle(void* parent, void* context, void (*tick)(void*), uint32_t periodMs)
{
    idleTick = tick;
    return SetTimer(static_cast<HWND>(parent), reinterpret_cast<UINT_PTR>(context), periodMs, onIdleTimer) != 0;
}

void stopIdle(void* parent, void* context)
{
    KillTimer(static_cast<HWND>(parent), reinterpret_cast<UINT_PTR>(context));
}

const Vst3Platform platform = {createViewerEditorPort, vst3::kPlatformTypeHWND, startIdle, stopIdle};

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID)
{
    setModuleInstance(instance);
    return TRUE;
}

// The format declares it __stdcall; with no arguments that is the same call
// as the default one, and leaves the 32-bit name undecorated for the .def.
extern "C" vst3::IPluginFactory* GetPluginFactory()
{
    return vst3Factory(platform);
}

extern "C" bool InitDll()
{
    return true;
}

extern "C" bool ExitDll()
{
    return true;
}
