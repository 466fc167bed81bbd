#pragma once
// Ctrl+C (SIGINT) or a polite kill (SIGTERM) closes the host's window instead
// of ending the process, so that a run interrupted by hand still ends in
// order: the report printed, the plug-in switched off and unloaded. The
// signal only sets a flag; the window's event loop reads it.
void watchTerminalInterrupt(bool on);
bool interruptRequested();
