// The flute: its fingering tables, the note it follows, the choice between
// standard and alternative fingering, and which keys show.
#include "state/NoteTable.h"
#include "tests/support/PluginStateReset.h"
#include "view3d/FluteFingering.h"
#include "view3d/FluteModel.h"
#include "view3d/KeyLook.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

namespace {

constexpr int standard = 0;
constexpr int alternative = 1;

// Flute note n is MIDI note 59 + n.
void hold(int midiNote)
{
    noteTable.entries[midiNote - 12].velocity = 90;
}

class FluteTest : public ::testing::Test {
protected:
    void SetUp() override { resetPluginState(); }
    void TearDown() override { resetPluginState(); }

    // One frame's worth of following the note table.
    void frameWith(std::initializer_list<int> midiNotes)
    {
        clearNoteTable();
        for (int note : midiNotes)
            hold(note);
        flute.followHeldNotes();
    }

    FluteModel flute{0, 4, 0};
};

TEST(FluteTables, EveryFingeringRowClosesExactlyOneKeyOfItsOwn)
{
    std::multiset<int> ownRows;
    std::set<int> linkedRows;
    for (const auto& rod : fluteKeyTable) {
        for (const FluteKey& key : rod) {
            if (key.kind == EmptySlot)
                continue;
            if (key.ownRow != 0)
                ownRows.insert(key.ownRow);
            for (int row : key.linkedRows) {
                if (row != 0)
                    linkedRows.insert(row);
            }
        }
    }
    for (int row = 1; row <= fingeringRowCount; ++row)
        EXPECT_EQ(ownRows.count(row), 1u) << "row " << row;
    EXPECT_EQ(ownRows.size(), 13u);
    EXPECT_EQ(linkedRows, (std::set<int>{1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
}

// The fingering chart as flautists write it: the notes at which each row is
// closed, as runs. A second transcription, so a slip in either shows.
const char* const standardChart[fingeringRowCount] = {
    "1-13 17-25 28-32 36-38",
    "1-12 15-24 27-31 34-36",
    "1-10 15-22 27-29 32-34 37-38",
    "1-9 15-21 27-28 30-33 36-37",
    "1-8 15-20 27 29-32 36",
    "1-6 11 14-18 23 28-30 34-35 37-38",
    "1-5 14-17 28-29",
    "1-4 7 14-16 19 28 31 37-38",
    "1-3 15 35-38",
    "1-2 37-38",
    "1 37-38",
    "35",
    "36",
};
const char* const alternativeChart[fingeringRowCount] = {
    "7 19 25 31",
    "7 19 26 31 34",
    "7 19 25-26 33-34",
    "7 19 25-26 31 33",
    "7 19 25-26 31",
    "25 34",
    "7 19 26 31 33",
    "25-26 33-34",
    "25 34",
    "",
    "",
    "",
    "",
};

std::set<int> notesIn(const std::string& chart)
{
    std::set<int> notes;
    std::istringstream runs(chart);
    std::string run;
    while (runs >> run) {
        const size_t dash = run.find('-');
        const int first = std::stoi(run.substr(0, dash));
        const int last = dash == std::string::npos ? first : std::stoi(run.substr(dash + 1));
        for (int note = first; note <= last; ++note)
            notes.insert(note);
    }
    return notes;
}

TEST(FluteTables, FingeringTablesMatchTheChart)
{
    for (int row = 1; row <= fingeringRowCount; ++row) {
        const std::set<int> standardNotes = notesIn(standardChart[row - 1]);
        const std::set<int> alternativeNotes = notesIn(alternativeChart[row - 1]);
        for (int note = 0; note <= fluteNoteCount; ++note) {
            EXPECT_EQ(fingeringRowClosed(standard, row, note), standardNotes.count(note) == 1)
                << "row " << row << ", note " << note;
            EXPECT_EQ(fingeringRowClosed(alternative, row, note), alternativeNotes.count(note) == 1)
                << "alternative row " << row << ", note " << note;
        }
    }
}

TEST(FluteTables, AlternativesAndOutOfRangeLookUps)
{
    const std::set<int> withAlternative{7, 14, 19, 25, 26, 31, 33, 34};
    for (int note = 0; note <= 40; ++note)
        EXPECT_EQ(hasAlternativeFingering(note), withAlternative.count(note) == 1) << note;

    for (int row = 1; row <= fingeringRowCount; ++row) {
        EXPECT_FALSE(fingeringRowClosed(alternative, row, 14)) << "note 14's alternative is all open";
        for (int variant : {standard, alternative}) {
            EXPECT_FALSE(fingeringRowClosed(variant, row, 0)) << "no note, all open";
            EXPECT_FALSE(fingeringRowClosed(variant, row, 40));
            EXPECT_FALSE(fingeringRowClosed(variant, row, -1));
        }
        EXPECT_FALSE(fingeringRowClosed(2, row, 1));
    }
    EXPECT_FALSE(fingeringRowClosed(standard, 0, 1));
    EXPECT_FALSE(fingeringRowClosed(standard, 14, 1));
}

TEST(FluteFingering, TheAlternativeWinsOnlyWhenItMatchesStrictlyMoreRows)
{
    EXPECT_EQ(chooseFingeringVariant(standard, 0, 14), alternative); // all open, like 14's alternative
    EXPECT_EQ(chooseFingeringVariant(standard, 0, 7), standard); // a tie keeps the standard
    EXPECT_EQ(chooseFingeringVariant(standard, 5, 7), alternative);
    EXPECT_EQ(chooseFingeringVariant(standard, 1, 25), alternative);
    EXPECT_EQ(chooseFingeringVariant(standard, 9, 25), standard);
    // What was shown counts, not just which note it was.
    EXPECT_EQ(chooseFingeringVariant(standard, 7, 25), alternative);
    EXPECT_EQ(chooseFingeringVariant(alternative, 7, 25), standard);
    // A note without an alternative always gets the standard fingering.
    EXPECT_EQ(chooseFingeringVariant(alternative, 7, 8), standard);
    // Same note, or none: the variant stays.
    EXPECT_EQ(chooseFingeringVariant(alternative, 7, 7), alternative);
    EXPECT_EQ(chooseFingeringVariant(alternative, 7, 0), alternative);
}

TEST_F(FluteTest, OnlyTheHighestHeldNoteOfTheRangeCounts)
{
    frameWith({60, 72});
    EXPECT_EQ(flute.getCurrentNote(), 13);
    frameWith({59, 99, 127});
    EXPECT_EQ(flute.getCurrentNote(), 0);
    frameWith({98, 99});
    EXPECT_EQ(flute.getCurrentNote(), 39);
    frameWith({60});
    EXPECT_EQ(flute.getCurrentNote(), 1);
}

TEST_F(FluteTest, TheVariantFollowsNotesFrameByFrame)
{
    frameWith({59 + 14}); // from nothing: note 14's all-open alternative
    EXPECT_EQ(flute.getFingeringVariant(), alternative);
    frameWith({59 + 14}); // held on: no change
    EXPECT_EQ(flute.getFingeringVariant(), alternative);
    frameWith({}); // released: the variant stays in force
    EXPECT_EQ(flute.getCurrentNote(), 0);
    EXPECT_EQ(flute.getFingeringVariant(), alternative);
    frameWith({59 + 8}); // no alternative
    EXPECT_EQ(flute.getFingeringVariant(), standard);
    frameWith({59 + 5});
    frameWith({59 + 7});
    EXPECT_EQ(flute.getFingeringVariant(), alternative);
    frameWith({59 + 7});
    EXPECT_EQ(flute.getFingeringVariant(), alternative);
    frameWith({59 + 25}); // 7's alternative is as close to 25's standard as to its alternative
    EXPECT_EQ(flute.getFingeringVariant(), standard);
}

TEST(FluteKeys, OwnAndLinkedKeysShowAsTheTogglesSay)
{
    const FluteKey& linkedToThreeRows = fluteKeyTable[1][3]; // rows 6, 7 and 8
    ViewState view;
    view.showLinkedKeys = true;
    // Note 7 closes row 8 only of the three, note 11 row 6 only, note 14 all three; note 9 none.
    for (int note : {7, 11, 14}) {
        const FluteKeyState state = fluteKeyState(linkedToThreeRows, standard, note);
        EXPECT_FALSE(state.own);
        EXPECT_TRUE(state.linked) << note;
        EXPECT_EQ(fluteKeyLook(state.own, state.linked, view).colour, KeyColour::LightRed);
    }
    const FluteKeyState open = fluteKeyState(linkedToThreeRows, standard, 9);
    EXPECT_FALSE(open.linked);
    EXPECT_EQ(fluteKeyLook(open.own, open.linked, view).colour, KeyColour::Base);

    const FluteKey& rowOne = fluteKeyTable[1][7];
    const FluteKeyState closed = fluteKeyState(rowOne, standard, 1);
    EXPECT_TRUE(closed.own);
    EXPECT_FALSE(closed.linked);
    EXPECT_EQ(fluteKeyLook(true, false, view).colour, KeyColour::Base); // colour toggle off
    EXPECT_FALSE(fluteKeyLook(true, false, view).moved);
    view.showKeyColour = true;
    view.showKeyMotion = true;
    EXPECT_EQ(fluteKeyLook(true, false, view).colour, KeyColour::HighlightRed);
    EXPECT_TRUE(fluteKeyLook(true, false, view).moved);
    EXPECT_TRUE(fluteKeyLook(false, true, view).moved);
    view.showLinkedKeys = false;
    EXPECT_EQ(fluteKeyLook(false, true, view).colour, KeyColour::Base);

    // The lever on the shortest rod belongs to no row: never shown.
    const FluteKey& loneLever = fluteKeyTable[4][0];
    for (int note = 0; note <= fluteNoteCount; ++note) {
        const FluteKeyState state = fluteKeyState(loneLever, standard, note);
        EXPECT_FALSE(state.own || state.linked);
    }
    // Without a note nothing is closed.
    for (const auto& rod : fluteKeyTable) {
        for (const FluteKey& key : rod) {
            const FluteKeyState state = fluteKeyState(key, alternative, 0);
            EXPECT_FALSE(state.own || state.linked);
        }
    }
}

} // namespace
