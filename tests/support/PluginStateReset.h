#pragma once
// Puts the plug-in's process-wide state back as it is when the library is
// loaded, so that each test, benchmark and fuzz input starts from the same
// place: the shared state (state/SharedStateReset.h) and the view
// state, and with no instance alive no program chosen. The wanted program and
// the shown model stay with the instances alive.
void resetPluginState();
