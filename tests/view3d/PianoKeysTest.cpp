// The pianos' key walks and how a key shows notes and practice states.
#include "view3d/KeyLook.h"
#include "view3d/PianoKeyWalk.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<PianoKey> keysOf(int keyCount, int startOctave, int startPitchClass)
{
    std::vector<PianoKey> keys;
    walkPianoKeys(keyCount, startOctave, startPitchClass, [&keys](const PianoKey& key) { keys.push_back(key); });
    return keys;
}

bool isBlackPitchClass(int noteIndex)
{
    const int pitchClass = noteIndex % 12;
    return pitchClass == 1 || pitchClass == 3 || pitchClass == 6 || pitchClass == 8 || pitchClass == 10;
}

TEST(PianoKeyWalk, EveryPianoWalksItsRangeNoteByNoteWithBlackKeysWhereTheyBelong)
{
    struct Piano {
        int keys, octave, pitchClass;
        int firstMidi, lastMidi, whiteKeys;
    };
    for (const Piano& p : {Piano{37, 2, 0, 36, 72, 22}, Piano{61, 1, 0, 24, 84, 36}, Piano{76, 0, 9, 21, 96, 45},
             Piano{88, 0, 9, 21, 108, 52}}) {
        SCOPED_TRACE(p.keys);
        const std::vector<PianoKey> keys = keysOf(p.keys, p.octave, p.pitchClass);
        ASSERT_EQ(static_cast<int>(keys.size()), p.keys);
        EXPECT_EQ(keys.front().noteIndex + 12, p.firstMidi);
        EXPECT_EQ(keys.back().noteIndex + 12, p.lastMidi);
        EXPECT_FALSE(keys.front().black);
        EXPECT_FALSE(keys.back().black); // every piano ends on a white C
        int whites = 0;
        for (size_t i = 0; i < keys.size(); ++i) {
            EXPECT_EQ(keys[i].noteIndex, keys.front().noteIndex + static_cast<int>(i));
            EXPECT_EQ(keys[i].black, isBlackPitchClass(keys[i].noteIndex)) << "note index " << keys[i].noteIndex;
            // A white key opens a new column; its black key shares it.
            EXPECT_EQ(keys[i].column, keys[i].black ? whites - 1 : whites);
            if (!keys[i].black)
                ++whites;
        }
        EXPECT_EQ(whites, p.whiteKeys);
    }
}

TEST(PianoKeyWalk, OddConfigurationsStayFinite)
{
    // A black start is walked as the white key below it: C#, D, D# drawn as C, C#, D.
    const std::vector<PianoKey> keys = keysOf(3, 4, 1);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_FALSE(keys[0].black);
    EXPECT_TRUE(keys[1].black);
    EXPECT_EQ(keys[0].noteIndex, 49);
    EXPECT_EQ(keysOf(0, 4, 0).size(), 1u);
    EXPECT_EQ(keysOf(-5, 4, 0).size(), 1u);
    EXPECT_EQ(keysOf(2, 4, -3).size(), 2u); // a negative pitch class still finds its white index
    EXPECT_EQ(keysOf(2, 4, 23).size(), 2u);
}

TEST(PianoKeyLook, OutsidePracticeTheTogglesAloneShowAHeldNote)
{
    ViewState view;
    for (bool colour : {false, true}) {
        for (bool motion : {false, true}) {
            view.showKeyColour = colour;
            view.showKeyMotion = motion;
            view.showLinkedKeys = true; // means nothing to a piano
            for (int velocity : {1, 64, 127}) {
                const KeyLook held = pianoKeyLook(velocity, 1, false, view);
                EXPECT_EQ(held.colour, colour ? KeyColour::HighlightRed : KeyColour::Base);
                EXPECT_EQ(held.moved, motion);
            }
            for (int silent : {0, -3}) {
                const KeyLook idle = pianoKeyLook(silent, 1, false, view);
                EXPECT_EQ(idle.colour, KeyColour::Base);
                EXPECT_FALSE(idle.moved);
            }
        }
    }
}

TEST(PianoKeyLook, InPracticeTheScoringStateAloneDecides)
{
    struct Expected {
        KeyColour colour;
        bool moved;
    };
    const Expected byState[] = {
        {KeyColour::Base, false},
        {KeyColour::HighlightGreen, true},
        {KeyColour::HighlightRed, false},
        {KeyColour::HighlightRed, false},
        {KeyColour::Base, true},
        {KeyColour::HighlightGreen, false},
        {KeyColour::HighlightRed, true},
        {KeyColour::HighlightRed, true},
    };
    ViewState allOn;
    allOn.showKeyColour = allOn.showKeyMotion = true;
    for (const ViewState& view : {ViewState{}, allOn}) {
        for (int velocity : {0, 100}) {
            for (int state = 0; state < 8; ++state) {
                const KeyLook look = pianoKeyLook(velocity, state, true, view);
                EXPECT_EQ(look.colour, byState[state].colour) << "state " << state;
                EXPECT_EQ(look.moved, byState[state].moved) << "state " << state;
            }
            for (int strange : {-1, 8, 1000}) {
                const KeyLook look = pianoKeyLook(velocity, strange, true, view);
                EXPECT_EQ(look.colour, KeyColour::Base);
                EXPECT_FALSE(look.moved);
            }
        }
    }
}

} // namespace
