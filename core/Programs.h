#pragma once
// The plug-in's five programs: four pianos and a flute. Selecting a program
// replaces the one current instrument model (view3d/ModelSwap.h).
#include <cstdint>

class InstrumentModel;

constexpr int32_t viewerProgramCount = 5;

// Builds the model of a program 0..4; null for any other number or when the
// model cannot be allocated.
InstrumentModel* buildProgramModel(int32_t program);

// Writes the name of program 0..4 (its model's name) into `name`, at most
// `capacity` bytes with the terminating zero; an empty name for any other
// number. Builds nothing, so any thread may ask.
void copyProgramName(int32_t program, char* name, int capacity);
