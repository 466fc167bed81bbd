#pragma once
// Wake-ups of our GLUT windows on Windows: a registered message posted to the
// window from any thread, or a one-shot timer on it. Both arrive through the
// host's message loop, on the window's thread.
#include <windows.h>

struct NativeWindow;

// The wake target of a window (backendWakeTarget); null without a window.
void* wakeTargetOf(HWND hwnd);
// Arms the window's one-shot wake timer (backendWakeAfter).
void wakeAfter(HWND hwnd, int milliseconds);

// Called by the window procedure first; true when the message was a wake
// (it has then been delivered).
bool handleWakeMessage(HWND hwnd, NativeWindow* window, UINT message, WPARAM wParam);
