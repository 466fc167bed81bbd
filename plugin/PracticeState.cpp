#include "plugin/PracticeState.h"

#include "plugin/ScoreTables.h"

PracticeState practice;

int32_t scoreStep(NoteEntry& entry, ScoreEventKind kind)
{
    const int32_t rule = practice.scoringRule.load(std::memory_order_relaxed) != 0 ? 1 : 0;
    const int32_t state = entry.scoreState.load(std::memory_order_relaxed);
    // States only ever come from the table; anything else is treated as "nothing pending".
    const int32_t from = (state >= 0 && state < scoreStateCount) ? state : 0;

    // The maximum grows by the best answer to what was just expected: a press
    // (both rules) and, under rule 1, a release.
    if (kind == OtherNoteOn)
        practice.practiceMaximum.fetch_add(scorePoints[rule][ReferenceNoteOn][1], std::memory_order_relaxed);
    else if (kind == OtherNoteOff && rule == 1)
        practice.practiceMaximum.fetch_add(scorePoints[1][ReferenceNoteOff][5], std::memory_order_relaxed);

    entry.scoreState.store(scoreNextState[rule][kind][from], std::memory_order_relaxed);
    return scorePoints[rule][kind][from];
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
