#pragma once

// The window class of the frame windows, "Plugin" followed by the module's
// instance handle as eight lower-case hex digits (sixteen in the 64-bit
// build, whose handles do not fit in eight). It is shared by every frame
// of the module: registered when the first frame asks for it and unregistered
// when the last one lets go. User-interface thread only.

#include <windows.h>

constexpr size_t frameWindowClassNameSize = 6 + 2 * sizeof(void*) + 1;
// The class name for the frame windows of `module`.
void formatFrameWindowClassName(HINSTANCE module, char (&name)[frameWindowClassNameSize]);

// Counts one more user, registering the class for the first; returns its name.
const char* acquireFrameWindowClass(WNDPROC windowProcedure);
// Counts one user less; the last one unregisters the class.
void releaseFrameWindowClass();
