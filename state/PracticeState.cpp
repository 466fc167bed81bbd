#include "state/PracticeState.h"

#include "state/ScoreTables.h"

PracticeState practice;

// The maximum grows by the best answer to what was just expected: a press
// (both rules) and, under rule 1, a release.
ScoreTally::ScoreTally()
    : run(practice.practiceRun.load(std::memory_order_acquire))
    , rule(practice.scoringRule.load(std::memory_order_relaxed) != 0 ? 1 : 0)
    , maximumGain{scorePoints[rule][ReferenceNoteOn][1], rule == 1 ? scorePoints[1][ReferenceNoteOff][5] : 0, 0, 0}
{
}

void publishScore(const ScoreTally& tally)
{
    if (practice.practiceRun.load(std::memory_order_acquire) != tally.run)
        return;
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

void startPracticeRun()
{
    practice.practiceRun.fetch_add(1, std::memory_order_release);
}

void clearNoteTableInNewRun()
{
    clearNoteTable();
    startPracticeRun();
}

void togglePracticeMode()
{
    practice.practiceMode.store(!practice.practiceMode.load(std::memory_order_relaxed), std::memory_order_relaxed);
    clearNoteTable();
    // The totals are zeroed just before the new run starts: a block of the
    // new run adds after the zero, one of the old run is dropped.
    practice.practiceMaximum.store(0, std::memory_order_relaxed);
    practice.practiceScore.store(0, std::memory_order_relaxed);
    startPracticeRun();
}

void nextScoringRule()
{
    const int32_t rule = practice.scoringRule.load(std::memory_order_relaxed);
    if (rule == 0 || rule == 1)
        practice.scoringRule.store(1 - rule, std::memory_order_relaxed);
    startPracticeRun();
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
