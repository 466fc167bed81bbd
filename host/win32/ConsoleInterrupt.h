#pragma once
// Ctrl+C (or Ctrl+Break, or the console closing) closes the host's window
// instead of killing the process, so that a run interrupted by hand still
// ends in order: the report printed, the plug-in switched off and unloaded.
#include <windows.h>

// `window` gets a WM_CLOSE, posted from the console's handler thread; null
// stops the forwarding.
void closeOnInterrupt(HWND window);
