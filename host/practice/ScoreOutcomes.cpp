#include "host/practice/ScoreOutcomes.h"

namespace {
constexpr uint8_t e = NoteExpected;
constexpr uint8_t h = NoteHit;
constexpr uint8_t m = NoteMissed;
constexpr uint8_t a = MissAnswered;
constexpr uint8_t w = NoteWrong;
constexpr uint8_t v = WrongAnswered;
constexpr uint8_t r = ReleasedEarly;
constexpr uint8_t l = ReleasedLate;
} // namespace

// Rows: other note-on, other note-off, player note-on, player note-off;
// columns: the states 0..7 before the step.
const uint8_t scoreOutcomes[2][4][8] = {
    {
        {e, e | m, e | h | v, e, e, e, e, e},
        {0, m, 0, 0, 0, 0, 0, 0},
        {w, h, 0, h | a, 0, 0, 0, 0},
        {0, 0, 0, 0, 0, 0, 0, 0},
    },
    {
        {e, e | m, e | h | v, e, e | m, e | l, e | m, e | m},
        {0, m, 0, 0, 0, 0, 0, m},
        {w, h, 0, h | a, 0, 0, 0, 0},
        {0, 0, 0, 0, r, 0, 0, 0},
    },
};
