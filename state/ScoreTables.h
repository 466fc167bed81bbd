#pragma once
// The two tables that drive practice scoring, indexed [rule][kind][state]:
// where each event moves a note's scoring state, and the points it earns
// leaving that state. Rule 0 judges presses only; rule 1 adds states 4..7 and
// judges releases too.
#include <cstdint>

constexpr int scoringRuleCount = 2;
constexpr int scoreEventKindCount = 4;
constexpr int scoreStateCount = 8;

extern const int32_t scoreNextState[scoringRuleCount][scoreEventKindCount][scoreStateCount];
extern const int32_t scorePoints[scoringRuleCount][scoreEventKindCount][scoreStateCount];
