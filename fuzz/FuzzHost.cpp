#include "fuzz/FuzzHost.h"

namespace {
const VstTimeInfo* hostTime = nullptr;
}

void setFuzzHostTime(const VstTimeInfo* time)
{
    hostTime = time;
}

intptr_t VSTCALLBACK fuzzHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    if (opcode == audioMasterVersion)
        return 2400;
    if (opcode == audioMasterGetTime)
        return reinterpret_cast<intptr_t>(hostTime);
    return 0;
}
