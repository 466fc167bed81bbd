#include "formats/lv2/ViewRecord.h"

#include <cstring>

void ViewRecord::store(const uint8_t (&bytes)[savedViewSize])
{
    const uint32_t before = version.load(std::memory_order_relaxed);
    version.store(before + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    for (size_t i = 0; i < wordCount; ++i) {
        uint32_t word;
        std::memcpy(&word, bytes + 4 * i, 4);
        words[i].store(word, std::memory_order_relaxed);
    }
    version.store(before + 2, std::memory_order_release);
}

void ViewRecord::load(uint8_t (&bytes)[savedViewSize]) const
{
    for (;;) {
        const uint32_t before = version.load(std::memory_order_acquire);
        if (before % 2 != 0)
            continue;
        for (size_t i = 0; i < wordCount; ++i) {
            const uint32_t word = words[i].load(std::memory_order_relaxed);
            std::memcpy(bytes + 4 * i, &word, 4);
        }
        std::atomic_thread_fence(std::memory_order_acquire);
        if (version.load(std::memory_order_relaxed) == before)
            return;
    }
}
