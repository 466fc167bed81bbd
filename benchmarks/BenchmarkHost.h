#pragma once
// The host every benchmark plays: VST 2.4, and a time info whose transport
// never changes, so that no block clears the note table.
#include "framework/Vst2Abi.h"

inline intptr_t VSTCALLBACK benchmarkHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    static VstTimeInfo steadyTime{};
    if (opcode == audioMasterVersion)
        return 2400;
    if (opcode == audioMasterGetTime)
        return reinterpret_cast<intptr_t>(&steadyTime);
    return 0;
}
