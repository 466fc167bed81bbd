#include "plugin/PracticeState.h"

#include "plugin/ScoreTables.h"

PracticeState practice;

// The maximum grows by the best answer to what was just expected: a press
// (both rules) and, under rule 1, a release.
ScoreTally::ScoreTally()
    : rule(practice.scoringRule.load(std::memory_order_relaxed) != 0 ? 1 : 0)
    , maximumGain{scorePoints[rule][ReferenceNoteOn][1], rule == 1 ? scorePoints[1][ReferenceNoteOff][5] : 0, 0, 0}
{
}

void publishScore(const ScoreTally& tally)
{
    if (tally.maximum != 0)
        practice.practiceMaximum.fetch_add(tally.maximum, std::memory_order_relaxed);
    if (tally.points != 0)
        practice.practiceScore.fetch_add(tally.points, std::memory_order_relaxed);
}

int32_t scoreStep(NoteEntry& entry, ScoreEventKind kind)
{
    ScoreTally tally;
    scoreStep(entry, kind, tally);
    practice.practiceMaximum.fetch_add(tally.maximum, std::memory_order_relaxed);
    return tally.points;
}

void togglePracticeMode()
{
    practice.practiceMaximum.store(0, std::memory_order_relaxed);
    practice.practiceMode.store(!practice.practiceMode.load(std::memory_order_relaxed), std::memory_order_relaxed);
    practice.practiceScore.store(0, std::memory_order_relaxed);
    clearNoteTable();
}

void nextScoringRule()
{
    const int32_t rule = practice.scoringRule.load(std::memory_order_relaxed);
    if (rule == 0 || rule == 1)
        practice.scoringRule.store(1 - rule, std::memory_order_relaxed);
}

bool practicePercentage(float& percent)
{
    const int32_t maximum = practice.practiceMaximum.load(std::memory_order_relaxed);
    if (maximum == 0)
        return false;
    const double score = practice.practiceScore.load(std::memory_order_relaxed);
    percent = static_cast<float>(score / maximum * 100.0);
    return true;
}
