#pragma once
// The plug-in's five programs: four pianos and a flute. Selecting a program
// replaces the one current instrument model, shared by every instance of the
// plug-in in the process.
#include <cstdint>

class InstrumentModel;

constexpr int32_t viewerProgramCount = 5;

// Owned by the plug-in; replaced by program changes, destroyed with the plug-in.
// Empty after a failed allocation. User-interface thread only.
extern InstrumentModel* currentModel;

// Builds the model of a program 0..4; null for any other number or when the
// model cannot be allocated.
InstrumentModel* buildProgramModel(int32_t program);
