#include "state/NoteTable.h"

NoteTable noteTable;

void clearNoteTable()
{
    for (NoteEntry& entry : noteTable.entries) {
        entry.velocity.store(0, std::memory_order_relaxed);
        entry.scoreState.store(0, std::memory_order_relaxed);
    }
}

int32_t highestHeldNote(int32_t base)
{
    constexpr int32_t window = 39;
    for (int32_t position = window; position >= 1; --position) {
        const int64_t index = int64_t{base} + position - 1;
        if (index < 0 || index >= noteTableSize)
            continue;
        if (noteTable.entries[index].velocity.load(std::memory_order_relaxed) > 0)
            return position;
    }
    return 0;
}

int32_t heldNoteCount()
{
    constexpr int writtenEntries = 128 - lowestTabledNote;
    int32_t held = 0;
    for (int index = 0; index < writtenEntries; ++index)
        held += noteTable.entries[index].velocity.load(std::memory_order_relaxed) > 0;
    return held;
}
