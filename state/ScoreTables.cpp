#include "state/ScoreTables.h"

// Rows per rule, in the order of ScoreEventKind:
// OtherNoteOn, OtherNoteOff, ReferenceNoteOn, ReferenceNoteOff.
// Columns are the states 0..7.

const int32_t scoreNextState[scoringRuleCount][scoreEventKindCount][scoreStateCount] = {
    {
        {1, 1, 0, 1, 0, 0, 0, 0},
        {0, 3, 2, 3, 0, 0, 0, 0},
        {2, 0, 2, 0, 0, 0, 0, 0},
        {0, 1, 0, 3, 0, 0, 0, 0},
    },
    {
        {1, 1, 4, 1, 4, 7, 6, 7},
        {0, 3, 2, 3, 5, 5, 0, 5},
        {2, 4, 2, 5, 4, 5, 4, 7},
        {0, 1, 0, 3, 6, 0, 6, 1},
    },
};

const int32_t scorePoints[scoringRuleCount][scoreEventKindCount][scoreStateCount] = {
    {
        {0, 0, 2, -4, 0, 0, 0, 0},
        {0, -4, 0, 0, 0, 0, 0, 0},
        {-4, 2, 0, 2, 0, 0, 0, 0},
        {0, 0, 1, 0, 0, 0, 0, 0},
    },
    {
        {0, 0, 2, -4, 0, -4, 0, 0},
        {0, -4, 0, 0, 0, 0, 2, -4},
        {-4, 2, 0, 2, 0, 0, 1, 0},
        {0, 0, 1, 0, -4, 2, 0, 2},
    },
};
