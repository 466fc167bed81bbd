#pragma once
// The reference count every object the module hands out keeps: it starts at
// one, for whoever made the object, and the last release deletes it.
#include <atomic>
#include <cstdint>

class Vst3RefCount {
public:
    uint32_t add() { return refs.fetch_add(1, std::memory_order_relaxed) + 1; }
    // The count left; 0 means the caller deletes the object.
    uint32_t drop() { return refs.fetch_sub(1, std::memory_order_acq_rel) - 1; }

private:
    std::atomic<uint32_t> refs{1};
};
