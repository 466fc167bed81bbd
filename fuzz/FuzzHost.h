#pragma once
// The host that the plug-in fuzz targets hand to `main`: it answers VST 2.4,
// and its time info (transport bit included) is whatever the input chose.
#include "framework/Vst2Abi.h"

// The time info the next audioMasterGetTime answers; null answers no time info.
void setFuzzHostTime(const VstTimeInfo* time);

intptr_t VSTCALLBACK fuzzHost(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
