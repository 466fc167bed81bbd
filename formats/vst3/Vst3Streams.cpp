#include "formats/vst3/Vst3Streams.h"

#include "core/ViewerCore.h"

#include <cstdint>

bool writeSavedView(vst3::IBStream& stream)
{
    uint8_t bytes[savedViewSize];
    ViewerCore::saveView(bytes);
    int32_t done = 0;
    auto* next = bytes;
    int32_t left = static_cast<int32_t>(sizeof bytes);
    while (left > 0) {
        if (stream.write(next, left, &done) != vst3::kResultOk || done <= 0 || done > left)
            return false;
        next += done;
        left -= done;
    }
    return true;
}

bool readWhole(vst3::IBStream& stream, void* bytes, size_t capacity, size_t& size)
{
    auto* buffer = static_cast<uint8_t*>(bytes);
    size = 0;
    // One byte beyond the capacity is asked for, so that a longer stream is
    // told apart from one that fills the buffer exactly.
    uint8_t beyond = 0;
    for (;;) {
        const bool full = size == capacity;
        const int32_t wanted = full ? 1 : static_cast<int32_t>(capacity - size);
        int32_t got = 0;
        if (stream.read(full ? &beyond : buffer + size, wanted, &got) != vst3::kResultOk || got < 0 || got > wanted)
            return false;
        if (got == 0)
            return true;
        if (full)
            return false;
        size += static_cast<size_t>(got);
    }
}
