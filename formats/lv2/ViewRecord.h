#pragma once
// The saved view an instance holds (core/SavedView.h), written by the
// processing thread when the user interface sends a new one and read by the
// host's state save, which may run on another thread at the same time. The
// writer never waits: a reader that finds a write under way reads again.
#include "core/SavedView.h"

#include <atomic>
#include <cstdint>

class ViewRecord {
public:
    // One writer at a time: the processing thread, or a restore, which the
    // host never runs beside it. Allocates nothing, never blocks.
    void store(const uint8_t (&bytes)[savedViewSize]);
    // Any thread: a whole record, never half of an old one and half of a new.
    void load(uint8_t (&bytes)[savedViewSize]) const;

private:
    static constexpr size_t wordCount = savedViewSize / 4;
    static_assert(savedViewSize % 4 == 0, "the record is kept in whole words");

    // Odd while a store is under way.
    std::atomic<uint32_t> version{0};
    std::atomic<uint32_t> words[wordCount] = {};
};
