#include "view3d/FluteTables.h"

#include <cstdint>
#include <initializer_list>

// clang-format off
const FluteRod fluteRodTable[fluteRodCount] = {
    // position length  angle
    {  0.75f,   5.25f,   45.0f},
    {  7.0f,   12.75f,    0.0f},
    { 12.5f,    2.25f,   25.0f},
    {  8.0f,   13.75f,  -25.0f},
    { 16.2f,    1.125f, -45.0f},
};

// Slots not listed are empty.
const FluteKey fluteKeyTable[fluteRodCount][fluteSlotsPerRod] = {
    { // rod 0
    //  position kind  side  shape  lift  reach  own  linked
        {0.5f,   Cup,   -1,  6.0f,  0.0f, 0.0f,   0, {11, 0, 0}},
        {2.5f,   Cup,   -1,  6.0f,  0.0f, 0.0f,   0, {10, 0, 0}},
        {3.5f,   Lever, -1, 90.0f,  0.2f, 0.25f, 11, { 0, 0, 0}},
        {3.5f,   Lever, -1, 90.0f,  0.2f, 0.75f, 10, { 0, 0, 0}},
        {3.75f,  Cup,   +1,  0.0f,  0.0f, 0.0f,   0, { 9, 0, 0}},
        {4.5f,   Lever, -1,  0.0f,  0.2f, 0.5f,   9, { 0, 0, 0}},
    },
    { // rod 1
        {0.5f,   Cup,   +1,  6.0f,  0.0f, 0.0f,   8, { 0, 0, 0}},
        {1.875f, Cup,   +1,  6.0f,  0.0f, 0.0f,   7, { 0, 0, 0}},
        {3.25f,  Cup,   +1,  6.0f,  0.0f, 0.0f,   6, { 0, 0, 0}},
        {4.625f, Cup,   +1,  6.0f,  0.0f, 0.0f,   0, { 6, 7, 8}},
        {8.5f,   Cup,   +1,  6.0f,  0.0f, 0.0f,   3, { 0, 0, 0}},
        {9.75f,  Cup,   +1,  6.0f,  0.0f, 0.0f,   0, { 3, 6, 0}},
        {10.75f, Cup,   -1,  6.0f,  0.0f, 0.0f,   2, { 0, 0, 0}},
        {10.75f, Cup,   +1,  4.0f,  0.0f, 0.0f,   1, { 0, 0, 0}},
        {12.5f,  Cup,   +1,  4.0f,  0.0f, 0.0f,   0, { 1, 0, 0}},
    },
    { // rod 2
        {0.5f,   Cup,   +1,  6.0f,  0.0f, 0.0f,   0, { 5, 0, 0}},
        {1.125f, Lever, +1, 67.5f,  0.2f, 1.5f,   5, { 0, 0, 0}},
        {1.75f,  Cup,   +1,  6.0f,  0.0f, 0.0f,   4, { 0, 0, 0}},
    },
    { // rod 3
        {0.25f,  Lever, +1,  4.0f,  0.0f, 1.5f,  13, { 0, 0, 0}},
        {1.625f, Lever, +1,  4.0f,  0.0f, 1.5f,  12, { 0, 0, 0}},
        {12.5f,  Cup,   -1,  4.0f,  0.0f, 0.0f,   0, {12, 0, 0}},
        {13.5f,  Cup,   -1,  4.0f,  0.0f, 0.0f,   0, {13, 0, 0}},
    },
    { // rod 4
        {0.55f,  Lever, -1, -67.5f, 0.2f, 0.5f,   0, { 0, 0, 0}},
    },
};
// clang-format on

namespace {
// A run of notes, first to last, or a single note.
struct Notes {
    int first;
    int last;
    constexpr Notes(int note)
        : first(note)
        , last(note)
    {
    }
    constexpr Notes(int from, int to)
        : first(from)
        , last(to)
    {
    }
};

// Bit n is set when the row is closed at note n.
constexpr uint64_t closedAt(std::initializer_list<Notes> runs)
{
    uint64_t mask = 0;
    for (const Notes& run : runs) {
        for (int note = run.first; note <= run.last; ++note)
            mask |= uint64_t{1} << note;
    }
    return mask;
}

constexpr uint64_t none = 0;

// clang-format off
// The notes at which each row is closed, rows 1..13.
constexpr uint64_t standardFingering[fingeringRowCount] = {
    closedAt({{1, 13}, {17, 25}, {28, 32}, {36, 38}}),                        // 1
    closedAt({{1, 12}, {15, 24}, {27, 31}, {34, 36}}),                        // 2
    closedAt({{1, 10}, {15, 22}, {27, 29}, {32, 34}, {37, 38}}),              // 3
    closedAt({{1, 9}, {15, 21}, {27, 28}, {30, 33}, {36, 37}}),               // 4
    closedAt({{1, 8}, {15, 20}, 27, {29, 32}, 36}),                           // 5
    closedAt({{1, 6}, 11, {14, 18}, 23, {28, 30}, {34, 35}, {37, 38}}),       // 6
    closedAt({{1, 5}, {14, 17}, {28, 29}}),                                   // 7
    closedAt({{1, 4}, 7, {14, 16}, 19, 28, 31, {37, 38}}),                    // 8
    closedAt({{1, 3}, 15, {35, 38}}),                                         // 9
    closedAt({{1, 2}, {37, 38}}),                                             // 10
    closedAt({1, {37, 38}}),                                                  // 11
    closedAt({35}),                                                           // 12
    closedAt({36}),                                                           // 13
};

constexpr uint64_t notesWithAlternative = closedAt({7, 14, 19, {25, 26}, 31, {33, 34}});

constexpr uint64_t alternativeFingering[fingeringRowCount] = {
    closedAt({7, 19, 25, 31}),                                                // 1
    closedAt({7, 19, 26, 31, 34}),                                            // 2
    closedAt({7, 19, {25, 26}, {33, 34}}),                                    // 3
    closedAt({7, 19, {25, 26}, 31, 33}),                                      // 4
    closedAt({7, 19, {25, 26}, 31}),                                          // 5
    closedAt({25, 34}),                                                       // 6
    closedAt({7, 19, 26, 31, 33}),                                            // 7
    closedAt({{25, 26}, {33, 34}}),                                           // 8
    closedAt({25, 34}),                                                       // 9
    none,                                                                     // 10
    none,                                                                     // 11
    none,                                                                     // 12
    none,                                                                     // 13
};
// clang-format on

bool isNote(int note)
{
    return note >= 1 && note <= fluteNoteCount;
}
} // namespace

bool fingeringRowClosed(int variant, int row, int note)
{
    if ((variant != 0 && variant != 1) || row < 1 || row > fingeringRowCount || !isNote(note))
        return false;
    const uint64_t* rows = variant == 0 ? standardFingering : alternativeFingering;
    return (rows[row - 1] >> note) & 1u;
}

bool hasAlternativeFingering(int note)
{
    return isNote(note) && ((notesWithAlternative >> note) & 1u);
}
