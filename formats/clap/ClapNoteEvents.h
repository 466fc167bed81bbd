#pragma once
// The host's input events as the MIDI intake reads them, in place: note-on
// and note-off events of the CLAP dialect and three-byte MIDI events become
// MIDI messages; every other event, one of another space, one shorter than
// its kind, or a note outside the keys and channels of MIDI, is skipped.
// Runs on the audio thread: no allocation, no lock.
#include "formats/clap/abi/Events.h"
#include "intake/MidiIntake.h"

MidiMessageBlock clapMidiBlock(const clap_input_events_t& events);
