// What the programs build: names, ranges and the pianos' white keys.
#include "core/Programs.h"
#include "view3d/FluteModel.h"
#include "view3d/PianoModel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

TEST(InstrumentModel, PianosCountTheirWhiteKeysByWalkingTheRange)
{
    struct Case {
        int program;
        int keys;
        int lowestMidiNote;
        float whiteKeys;
    };
    for (const Case& c : {Case{0, 37, 36, 22}, Case{1, 61, 24, 36}, Case{2, 76, 21, 45}, Case{3, 88, 21, 52}}) {
        std::unique_ptr<InstrumentModel> model(buildProgramModel(c.program));
        auto* piano = dynamic_cast<PianoModel*>(model.get());
        ASSERT_NE(piano, nullptr);
        EXPECT_EQ(piano->getKeyCount(), c.keys);
        EXPECT_EQ(piano->lowestNoteIndex() + 12, c.lowestMidiNote);
        EXPECT_EQ(piano->getWhiteKeyCount(), c.whiteKeys);
        EXPECT_EQ(std::string(piano->getName()), "Piano (" + std::to_string(c.keys) + " keys)");
        EXPECT_EQ(piano->getDisplayList(), 0u);
    }
}

TEST(InstrumentModel, ShortRangesStopOnTheLastKey)
{
    EXPECT_EQ(PianoModel(1, 4, 0).getWhiteKeyCount(), 1.0f); // C alone
    EXPECT_EQ(PianoModel(2, 4, 0).getWhiteKeyCount(), 1.0f); // C and C#
    EXPECT_EQ(PianoModel(3, 4, 0).getWhiteKeyCount(), 2.0f); // C C# D
    EXPECT_EQ(PianoModel(12, 4, 0).getWhiteKeyCount(), 7.0f); // one octave
    EXPECT_EQ(PianoModel(13, 4, 0).getWhiteKeyCount(), 8.0f);
    EXPECT_EQ(PianoModel(0, 4, 0).getWhiteKeyCount(), 1.0f); // degenerate but finite
}

TEST(InstrumentModel, TheFluteStartsAtMiddleC)
{
    std::unique_ptr<InstrumentModel> model(buildProgramModel(4));
    auto* flute = dynamic_cast<FluteModel*>(model.get());
    ASSERT_NE(flute, nullptr);
    EXPECT_EQ(std::string(flute->getName()), "Flute");
    EXPECT_EQ(flute->getKeyCount(), 0);
    EXPECT_EQ(flute->lowestNoteIndex(), 48);
    EXPECT_EQ(flute->getCurrentNote(), 0);
    EXPECT_EQ(flute->getFingeringVariant(), 0);
}

TEST(InstrumentModel, OnlyFiveProgramsExist)
{
    EXPECT_EQ(buildProgramModel(-1), nullptr);
    EXPECT_EQ(buildProgramModel(5), nullptr);
}

TEST(InstrumentModel, ConfigureAndInvalidateTouchNothingElse)
{
    PianoModel piano(88, 0, 9);
    piano.configure(37, 2, 0);
    EXPECT_EQ(piano.getKeyCount(), 37);
    EXPECT_EQ(piano.lowestNoteIndex(), 24);
    EXPECT_EQ(std::string(piano.getName()), "Piano (88 keys)");
    EXPECT_EQ(piano.getWhiteKeyCount(), 52.0f);
    piano.invalidateLists();
    EXPECT_EQ(piano.getDisplayList(), 0u);
}

} // namespace
