#pragma once
// The module's instance handle (an HINSTANCE on Windows), recorded by the
// module entry when the DLL is loaded. The GUI toolkit loads its bitmaps with
// it and names its window class after it.
void setModuleInstance(void* instance);
void* moduleInstance();
