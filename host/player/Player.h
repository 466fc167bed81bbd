#pragma once
// The player: the editor open in the host's window, the song (when one is
// given) playing from its start, a live keyboard (when one is given) played
// into it, until the user closes the window or interrupts the host. When
// practice mode is on, the report comes at the song's end; the window stays
// for a last look.
#include "host/engine/HostSession.h"
#include "host/practice/PracticeCompanion.h"

// Answers the host's exit status: 0.
int playUntilClosed(HostSession& session, PracticeCompanion& companion);
