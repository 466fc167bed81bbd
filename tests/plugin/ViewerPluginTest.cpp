// The plug-in as a host sees it: built by the entry point, driven through the
// dispatcher and the other C entry points of its AEffect record.
#include "core/Programs.h"
#include "tests/support/PlainEditor.h"
#include "state/CurrentModel.h"
#include "state/NoteTable.h"
#include "formats/vst2/VstEntry.h"
#include "tests/support/FakeHost.h"
#include "tests/support/MidiBlock.h"
#include "tests/support/PluginStateReset.h"
#include "view3d/InstrumentModel.h"
#include "view3d/ModelSwap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

int countCalls(const FakeHost& host, int32_t opcode)
{
    int n = 0;
    for (const HostCall& call : host.calls())
        n += call.opcode == opcode;
    return n;
}

class ViewerPluginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetPluginState();
        host.answer(audioMasterVersion, 2400);
        effect = vstMain(FakeHost::callback, createPlainEditor);
        ASSERT_NE(effect, nullptr);
        host.clear();
    }
    void TearDown() override
    {
        if (effect)
            dispatch(effClose);
    }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0)
    {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }
    std::string programName()
    {
        char name[24];
        std::memset(name, 'x', sizeof name);
        dispatch(effGetProgramName, 0, 0, name);
        return name;
    }

    FakeHost host;
    AEffect* effect = nullptr;
};

TEST_F(ViewerPluginTest, TheRecordDescribesAMidiOnlyInstrumentWithAnEditor)
{
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numPrograms, 5);
    EXPECT_EQ(effect->numParams, 0);
    EXPECT_EQ(effect->numInputs, 0);
    EXPECT_EQ(effect->numOutputs, 0);
    EXPECT_EQ(effect->flags, 0x101);
    EXPECT_EQ(effect->uniqueID, 0x5141524E);
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(effect->ioRatio, 1.0f);
    EXPECT_EQ(effect->initialDelay, 0);
    EXPECT_EQ(dispatch(effGetPlugCategory), 2);
}

TEST_F(ViewerPluginTest, StartsOnTheEightyEightKeyPiano)
{
    EXPECT_EQ(dispatch(effGetProgram), 3);
    EXPECT_EQ(programName(), "Piano (88 keys)");
}

TEST_F(ViewerPluginTest, ProgramsNameTheirInstruments)
{
    const char* names[] = {"Piano (37 keys)", "Piano (61 keys)", "Piano (76 keys)", "Piano (88 keys)", "Flute"};
    for (int program = 0; program < 5; ++program) {
        dispatch(effSetProgram, 0, program);
        EXPECT_EQ(dispatch(effGetProgram), program);
        EXPECT_EQ(programName(), names[program]);
    }
}

TEST_F(ViewerPluginTest, ProgramNumbersOutsideTheFiveChangeNothing)
{
    dispatch(effSetProgram, 0, 1);
    installWantedModel();
    InstrumentModel* shown = currentModel;
    for (intptr_t program : {intptr_t{5}, intptr_t{1000}, intptr_t{-1}, intptr_t{-100000}}) {
        dispatch(effSetProgram, 0, program);
        installWantedModel();
        EXPECT_EQ(dispatch(effGetProgram), 1);
        EXPECT_EQ(currentModel, shown);
        EXPECT_EQ(programName(), "Piano (61 keys)");
    }
}

// The host may choose on any thread: the choice is answered at once, and the
// model is built and the old one freed only when the user-interface thread
// swaps it in.
TEST_F(ViewerPluginTest, AProgramChangeBuildsNothingUntilTheModelIsSwappedIn)
{
    EXPECT_EQ(currentModel, nullptr);
    installWantedModel();
    ASSERT_NE(currentModel, nullptr);
    InstrumentModel* piano = currentModel;
    EXPECT_STREQ(piano->getName(), "Piano (88 keys)");

    dispatch(effSetProgram, 0, 4);
    EXPECT_EQ(dispatch(effGetProgram), 4);
    EXPECT_EQ(programName(), "Flute");
    EXPECT_EQ(currentModel, piano);
    installWantedModel();
    ASSERT_NE(currentModel, nullptr);
    EXPECT_STREQ(currentModel->getName(), "Flute");

    // Choosing the shown program again rebuilds nothing.
    InstrumentModel* flute = currentModel;
    dispatch(effSetProgram, 0, 4);
    installWantedModel();
    EXPECT_EQ(currentModel, flute);
}

TEST_F(ViewerPluginTest, TheModelLivesUntilTheLastInstanceCloses)
{
    AEffect* other = vstMain(FakeHost::callback, createPlainEditor);
    ASSERT_NE(other, nullptr);
    dispatch(effSetProgram, 0, 1);
    installWantedModel();
    InstrumentModel* shown = currentModel;
    ASSERT_NE(shown, nullptr);

    other->dispatcher(other, effClose, 0, 0, nullptr, 0);
    installWantedModel();
    EXPECT_EQ(currentModel, shown);
    EXPECT_EQ(programName(), "Piano (61 keys)");
    EXPECT_EQ(modelSelection.liveInstances.load(), 1);
}

TEST_F(ViewerPluginTest, ProgramNamesCannotBeChanged)
{
    char name[24] = "My piano";
    dispatch(effSetProgramName, 0, 0, name);
    EXPECT_EQ(programName(), "Piano (88 keys)");
}

TEST_F(ViewerPluginTest, ChangingProgramKeepsHeldNotes)
{
    MidiBlock block;
    block.noteOn(0, 60, 100);
    dispatch(effProcessEvents, 0, 0, block.events());
    dispatch(effSetProgram, 0, 4);
    EXPECT_EQ(noteTable.entries[48].velocity.load(), 100);
}

TEST_F(ViewerPluginTest, CanDoAnswersExactlyItsThreeAbilities)
{
    for (const char* yes : {"receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo"}) {
        std::string text = yes;
        EXPECT_EQ(dispatch(effCanDo, 0, 0, text.data()), 1) << yes;
    }
    for (const char* no : {"ReceiveVstEvents", "receivevstevents", "sendVstMidiEvent", "", "receiveVstEventsX"}) {
        std::string text = no;
        EXPECT_EQ(dispatch(effCanDo, 0, 0, text.data()), -1) << no;
    }
    EXPECT_EQ(dispatch(effCanDo, 0, 0, nullptr), 0);
}

TEST_F(ViewerPluginTest, TurningOnAsksTheHostForMidiOnce)
{
    dispatch(effMainsChanged, 0, 1);
    ASSERT_EQ(countCalls(host, audioMasterWantMidi), 1);
    for (const HostCall& call : host.calls()) {
        if (call.opcode == audioMasterWantMidi) {
            EXPECT_EQ(call.value, 1);
            EXPECT_EQ(call.effect, effect);
        }
    }
    dispatch(effMainsChanged, 0, 0);
    EXPECT_EQ(countCalls(host, audioMasterWantMidi), 1);
}

TEST_F(ViewerPluginTest, EveryBlockAsksTheHostForItsTime)
{
    MidiBlock block;
    block.noteOn(0, 60, 100);
    EXPECT_EQ(dispatch(effProcessEvents, 0, 0, block.events()), 1);
    ASSERT_EQ(countCalls(host, audioMasterGetTime), 1);
    EXPECT_EQ(host.calls().back().value, 1);
    EXPECT_EQ(noteTable.entries[48].velocity.load(), 100);
}

TEST_F(ViewerPluginTest, HostileEventBlocksAreAnsweredHarmlessly)
{
    EXPECT_EQ(dispatch(effProcessEvents, 0, 0, nullptr), 1);
    VstEvents empty{};
    empty.numEvents = -1;
    EXPECT_EQ(dispatch(effProcessEvents, 0, 0, &empty), 1);
    empty.numEvents = 2; // both pointers null
    EXPECT_EQ(dispatch(effProcessEvents, 0, 0, &empty), 1);
}

TEST_F(ViewerPluginTest, NullTextPointersAreRefused)
{
    EXPECT_EQ(dispatch(effGetProgramName, 0, 0, nullptr), 0);
    EXPECT_EQ(dispatch(effSetProgramName, 0, 0, nullptr), 0);
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, nullptr), 0);
}

TEST_F(ViewerPluginTest, AudioEntryPointsLeaveTheBuffersAlone)
{
    float left[4] = {1, 2, 3, 4};
    float right[4] = {5, 6, 7, 8};
    float* buffers[2] = {left, right};
    effect->process(effect, buffers, buffers, 4);
    effect->processReplacing(effect, buffers, buffers, 4);
    EXPECT_EQ(left[3], 4.0f);
    EXPECT_EQ(right[0], 5.0f);
}

TEST_F(ViewerPluginTest, ClosingDestroysTheModel)
{
    installWantedModel();
    ASSERT_NE(currentModel, nullptr);
    EXPECT_EQ(dispatch(effClose), 1);
    effect = nullptr;
    EXPECT_EQ(currentModel, nullptr);
}

TEST(VstEntry, AHostAnsweringVersionZeroGetsNothing)
{
    FakeHost host;
    EXPECT_EQ(vstMain(FakeHost::callback, createPlainEditor), nullptr);
    EXPECT_EQ(countCalls(host, audioMasterVersion), 1);
    EXPECT_EQ(currentModel, nullptr);
    EXPECT_EQ(vstMain(nullptr, createPlainEditor), nullptr);
}

} // namespace
