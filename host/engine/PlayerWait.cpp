#include "host/engine/PlayerWait.h"

void PlayerWait::begin(const uint32_t chord[4])
{
    for (int i = 0; i < 4; ++i)
        remaining[i].store(chord[i], std::memory_order_relaxed);
    waiting = true;
    begun.fetch_add(1, std::memory_order_release);
}

void PlayerWait::notePlayed(int note)
{
    if (waiting)
        remaining[(note & 0x7F) >> 5].fetch_and(~(1u << (note & 31)), std::memory_order_relaxed);
}

void PlayerWait::cancel()
{
    waiting = false;
    for (auto& word : remaining)
        word.store(0, std::memory_order_relaxed);
}

bool PlayerWait::isAnswered() const
{
    for (const auto& word : remaining) {
        if (word.load(std::memory_order_relaxed) != 0)
            return false;
    }
    return true;
}

std::vector<int> PlayerWait::awaitedNotes() const
{
    std::vector<int> notes;
    for (int note = 0; note < 128; ++note) {
        if (remaining[note >> 5].load(std::memory_order_relaxed) >> (note & 31) & 1)
            notes.push_back(note);
    }
    return notes;
}
