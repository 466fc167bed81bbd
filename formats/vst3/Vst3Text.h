#pragma once
// VST 3's strings are UTF-16 (char16); ours, and the core's names, are ASCII
// or UTF-8 bytes. Both copies always terminate and cut what does not fit.
#include "formats/vst3/abi/Base.h"

// Bytes below 0x80 as they are; others as U+FFFD.
void copyToChar16(vst3::char16* to, int32_t capacity, const char* from);
// Characters below 0x80 as they are; others as '?'.
void copyFromChar16(char* to, int32_t capacity, const vst3::char16* from);
