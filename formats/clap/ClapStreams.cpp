#include "formats/clap/ClapStreams.h"

#include <cstdint>

bool writeWhole(const clap_ostream_t& stream, const void* bytes, size_t size)
{
    if (!stream.write)
        return false;
    const auto* next = static_cast<const uint8_t*>(bytes);
    while (size > 0) {
        const int64_t written = stream.write(&stream, next, size);
        if (written <= 0 || static_cast<uint64_t>(written) > size)
            return false;
        next += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool readWhole(const clap_istream_t& stream, void* bytes, size_t capacity, size_t& size)
{
    if (!stream.read)
        return false;
    auto* buffer = static_cast<uint8_t*>(bytes);
    size = 0;
    // One byte beyond the capacity is asked for, so that a longer stream is
    // told apart from one that fills the buffer exactly.
    uint8_t beyond = 0;
    for (;;) {
        const bool full = size == capacity;
        const uint64_t wanted = full ? 1 : capacity - size;
        const int64_t got = stream.read(&stream, full ? &beyond : buffer + size, wanted);
        if (got == 0)
            return true;
        if (got < 0 || static_cast<uint64_t>(got) > wanted || full)
            return false;
        size += static_cast<size_t>(got);
    }
}
