#pragma once
// The GLUT layer's current window, for the layer's own files.

// The id of the current window, 0 for none.
int layerCurrentWindow();

// Runs `callback` with window `id` current (as GLUT runs any callback), then
// makes the window that was current before current again if it still exists.
void runAsCurrentWindow(int id, void (*callback)());

// Whether a pump (glutMainLoopUpdate) is running its callbacks.
bool layerIsPumping();
