#include "formats/vst3/Vst3Text.h"

void copyToChar16(vst3::char16* to, int32_t capacity, const char* from)
{
    if (capacity <= 0)
        return;
    int32_t index = 0;
    for (; from && from[index] != '\0' && index < capacity - 1; ++index) {
        const auto byte = static_cast<unsigned char>(from[index]);
        to[index] = byte < 0x80 ? static_cast<vst3::char16>(byte) : u'\uFFFD';
    }
    to[index] = 0;
}

void copyFromChar16(char* to, int32_t capacity, const vst3::char16* from)
{
    if (capacity <= 0)
        return;
    int32_t index = 0;
    for (; from && from[index] != 0 && index < capacity - 1; ++index)
        to[index] = from[index] < 0x80 ? static_cast<char>(from[index]) : '?';
    to[index] = '\0';
}
