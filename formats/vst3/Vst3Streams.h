#pragma once
// The saved view through the host's IBStream: the core's record as it is
// (core/SavedView.h), with nothing of VST 3's around it.
#include "formats/vst3/abi/Base.h"

#include <cstddef>

// Writes the current view's record.
bool writeSavedView(vst3::IBStream& stream);
// Reads the stream to its end into `bytes`: false when it breaks off or
// holds more than `capacity` bytes.
bool readWhole(vst3::IBStream& stream, void* bytes, size_t capacity, size_t& size);
