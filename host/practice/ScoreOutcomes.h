#pragma once
// What each step of the plug-in's practice scoring says about the player, for
// the host's report. Indexed [rule][kind][state] like the plug-in's scoring
// tables (the state is the note's state before the step); each entry holds
// the outcomes the step counts. A note played late after it was counted
// missed, or pressed just before it was expected after it was counted wrong,
// is a hit and no longer missed or wrong; its points are the plug-in's.
#include <cstdint>

enum ScoreOutcome : uint8_t {
    NoteExpected = 1, // an expected note began
    NoteHit = 2, // the player answered an expected note
    NoteMissed = 4, // an expected note went unanswered
    MissAnswered = 8, // ... and was played after all
    NoteWrong = 16, // the player pressed a note nobody expected
    WrongAnswered = 32, // ... and the expected note arrived while it sounded
    ReleasedEarly = 64, // the player let go while the expected note still sounded
    ReleasedLate = 128, // the player still held the note when it was expected again
};

extern const uint8_t scoreOutcomes[2][4][8];
