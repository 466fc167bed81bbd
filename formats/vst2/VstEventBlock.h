#pragma once
// The host's VST 2 events as the MIDI intake reads them: MIDI events in list
// order (deltaFrames is ignored), other kinds and null pointers skipped, and
// the transport as the time info's transport-changed bit says. Reads the
// host's list in place; tolerates a null list, a negative count and a null
// time info.
#include "intake/MidiIntake.h"

struct VstEvents;
struct VstTimeInfo;

MidiMessageBlock vstMidiBlock(const VstEvents* events, const VstTimeInfo* time);

// A block of host events straight into the intake, as the plug-in receives
// it; our host scores the blocks it sends with it too.
MidiBlockCounts receiveMidiBlock(const VstEvents* events, const VstTimeInfo* time);
