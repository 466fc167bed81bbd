#pragma once
// A block's event list as the core reads MIDI: note-ons and note-offs as
// three-byte messages, read straight from the host's list (nothing copied,
// nothing allocated).
#include "formats/vst3/abi/Processor.h"
#include "intake/MidiIntake.h"

MidiMessageBlock vst3MidiBlock(vst3::IEventList& events);
