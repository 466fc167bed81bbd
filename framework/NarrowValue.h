#pragma once
// A pointer-sized value from a host (a dispatcher value, a host's answer)
// read as the 32-bit number an operation takes. A 64-bit host can send
// numbers that do not fit: they saturate at the nearest 32-bit limit instead
// of wrapping, so that 2^32 + 512 never reads as 512. On 32-bit x86 every
// value fits and comes through unchanged.
#include <algorithm>
#include <cstdint>

#include "framework/Vst2Abi.h"

inline int32_t narrowValue(VstIntPtr value)
{
    return static_cast<int32_t>(std::clamp<VstIntPtr>(value, INT32_MIN, INT32_MAX));
}
