#include "host/ScoreOutcomes.h"

namespace {
constexpr uint8_t E = NoteExpected;
constexpr uint8_t H = NoteHit;
constexpr uint8_t M = NoteMissed;
constexpr uint8_t A = MissAnswered;
constexpr uint8_t W = NoteWrong;
constexpr uint8_t V = WrongAnswered;
constexpr uint8_t R = ReleasedEarly;
constexpr uint8_t L = ReleasedLate;
} // namespace

// Rows: other note-on, other note-off, player note-on, player note-off;
// columns: the states 0..7 before the step.
const uint8_t scoreOutcomes[2][4][8] = {
    {
        {E, E | M, E | H | V, E, E, E, E, E},
        {0, M, 0, 0, 0, 0, 0, 0},
        {W, H, 0, H | A, 0, 0, 0, 0},
        {0, 0, 0, 0, 0, 0, 0, 0},
    },
    {
        {E, E | M, E | H | V, E, E | M, E | L, E | M, E | M},
        {0, M, 0, 0, 0, 0, 0, M},
        {W, H, 0, H | A, 0, 0, 0, 0},
        {0, 0, 0, 0, R, 0, 0, 0},
    },
};
