#pragma once
// Practice scoring: notes on the reference channel (the 16th) are judged
// against the notes on every other channel. Each note number runs a small
// state machine in its NoteEntry::scoreState; every event moves it and earns
// points. The editor shows the running score as a percentage of the best that
// could have been earned.
//
// The totals are shared by every instance in the process. MIDI intake (host
// processing thread) adds to them; the panel (user-interface thread) switches
// the mode and rule and resets the totals. Each value is a lock-free atomic.
//
// The totals belong to one practice run. Switching the mode or the rule, and
// the view reset, start a new run; a block whose scoring began in an earlier
// run publishes nothing, so a switch landing while a block is being scored
// never leaves that block's points in the new run.
#include "state/NoteTable.h"
#include "state/ScoreTables.h"

#include <atomic>
#include <cstdint>

enum ScoreEventKind : int32_t {
    OtherNoteOn = 0,
    OtherNoteOff = 1,
    ReferenceNoteOn = 2,
    ReferenceNoteOff = 3,
};

// The 16th MIDI channel, counting from 0: the player's channel.
constexpr int32_t referenceChannel = 15;

struct PracticeState {
    std::atomic<bool> practiceMode{false};
    std::atomic<int32_t> practiceScore{0};
    std::atomic<int32_t> practiceMaximum{0};
    std::atomic<int32_t> scoringRule{0}; // 0 judges presses, 1 presses and releases
    std::atomic<uint32_t> practiceRun{0}; // counts the runs started; wraps
};

extern PracticeState practice;

// Points earned and the rise of the maximum, summed over several events so
// that MIDI intake publishes its totals once per block rather than with one
// atomic read-modify-write per event, and the practice run they belong to.
// A tally reads the run first and then the scoring rule, once: a block is
// scored by one rule, as it is scored in one mode, and a tally that is still
// of the current run when it is published was scored with that run's settings.
struct ScoreTally {
    ScoreTally();

    uint32_t run;
    int32_t rule; // 0 or 1
    // What each kind of event adds to the maximum under `rule`: an expected
    // note is worth the best answer to it.
    int32_t maximumGain[4];
    int32_t points = 0;
    int32_t maximum = 0;
};

// Moves the entry's state for one event and adds the points earned, and what
// an expected note is worth, to the tally. Inline: MIDI intake runs it for
// every note event of a block in practice mode.
inline void scoreStep(NoteEntry& entry, ScoreEventKind kind, ScoreTally& tally)
{
    const int32_t state = entry.scoreState.load(std::memory_order_relaxed);
    // States only ever come from the table; anything else is treated as "nothing pending".
    const int32_t from = static_cast<uint32_t>(state) < static_cast<uint32_t>(scoreStateCount) ? state : 0;
    tally.maximum += tally.maximumGain[kind];
    entry.scoreState.store(scoreNextState[tally.rule][kind][from], std::memory_order_relaxed);
    tally.points += scorePoints[tally.rule][kind][from];
}

// Adds a tally to practiceScore and practiceMaximum, unless another practice
// run has started since the tally did: then it belongs to no run and is dropped.
void publishScore(const ScoreTally& tally);

// One event scored on its own: moves the entry's state, raises practiceMaximum
// and answers the points earned, which the caller adds to practiceScore. Only
// while practice mode is on.
int32_t scoreStep(NoteEntry& entry, ScoreEventKind kind);

// Starts a new practice run: tallies begun before it are dropped. Called last
// by whatever changes how notes are scored, so that a block which sees the
// new run also sees the change.
void startPracticeRun();

// The view reset's part: silences every note and resets every practice state
// (clearNoteTable), in a new run since the states scored so far are gone.
void clearNoteTableInNewRun();

// Panel action: practice on or off, always starting again from zero, in a new run.
void togglePracticeMode();

// Panel action: switches between the two scoring rules in a new run; totals
// and states carry over.
void nextScoringRule();

// The score as a percentage of the maximum. Answers false, leaving `percent`
// alone, while nothing could have been earned yet (maximum 0).
bool practicePercentage(float& percent);
