#pragma once
// The "Instrument" parameter's values: the host's normalized 0..1 in equal
// steps, one per instrument of the core.
#include "formats/vst3/abi/Processor.h"

#include <cstdint>

// The instrument a normalized value stands for: the nearest step, or -1 for
// a value outside 0..1.
int32_t instrumentOfNormalized(vst3::ParamValue value);
vst3::ParamValue normalizedOfInstrument(int32_t instrument);
