// What a host learns from the built plug-in library, checked against one
// table: the same program runs against the 64-bit Windows DLL under Wine and
// the Linux shared object natively, so both builds must answer alike.
#include "tests/library/PluginLibrary.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

intptr_t VSTCALLBACK host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

// A dispatcher call that answers a number: opcode, index, value, answer.
struct NumberAnswer {
    const char* what;
    int32_t opcode;
    int32_t index;
    intptr_t value;
    intptr_t answer;
};

// In this order, on a new instance: the calls that change the program come
// after the ones that read it.
const NumberAnswer numberAnswers[] = {
    {"program at start (the 88-key piano)", effGetProgram, 0, 0, 3},
    {"vendor version 1.0.0", effGetVendorVersion, 0, 0, 1000000},
    {"VST version", effGetVstVersion, 0, 0, kVstVersion},
    {"category: synth", effGetPlugCategory, 0, 0, kPlugCategorySynth},
    {"no chunk", effGetChunk, 0, 0, 0},
    {"no chunk taken", effSetChunk, 0, 0, 0},
    {"parameters: none to automate", effCanBeAutomated, 0, 0, 1},
    {"one program category", effGetNumProgramCategories, 0, 0, 1},
    {"no tail", effGetTailSize, 0, 0, 0},
    {"keys not required", effKeysRequired, 0, 0, 1},
    {"identify", effIdentify, 0, 0, 0x4E764566}, // 'NvEf'
    {"key down left to the host", effEditKeyDown, ' ', 0, 0},
    {"key up left to the host", effEditKeyUp, ' ', 0, 0},
    {"bypass not supported", effSetBypass, 0, 1, 0},
    {"program 4 selected", effSetProgram, 0, 4, 0},
    {"program 4 read back", effGetProgram, 0, 0, 4},
    {"program 9 refused", effSetProgram, 0, 9, 0},
    {"program still 4", effGetProgram, 0, 0, 4},
};

// A dispatcher call that fills a text buffer: opcode, index, answer, text.
struct TextAnswer {
    int32_t opcode;
    int32_t index;
    intptr_t answer;
    const char* text;
};

const TextAnswer textAnswers[] = {
    {effGetEffectName, 0, 1, "Qarn Viewer"},
    {effGetProductString, 0, 1, "Qarn Viewer"},
    {effGetVendorString, 0, 1, "Qarn"},
    {effGetProgramName, 0, 0, "Piano (88 keys)"},
    // Names by index are not offered: hosts then select and ask.
    {effGetProgramNameIndexed, 0, 0, ""},
    {effGetProgramNameIndexed, 4, 0, ""},
    {effGetParamName, 0, 0, ""},
    {effGetParamLabel, 0, 0, ""},
    {effGetParamDisplay, 0, 0, ""},
};

const char* const programNames[] = {
    "Piano (37 keys)", "Piano (61 keys)", "Piano (76 keys)", "Piano (88 keys)", "Flute"};

struct CanDoAnswer {
    const char* text;
    intptr_t answer;
};

const CanDoAnswer canDoAnswers[] = {
    {"receiveVstEvents", 1},
    {"receiveVstMidiEvent", 1},
    {"receiveVstTimeInfo", 1},
    {"sendVstEvents", -1},
    {"sendVstMidiEvent", -1},
    {"offline", -1},
    {"midiProgramNames", -1},
    {"bypass", -1},
    {"", -1},
};

class PluginAnswersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PluginMain pluginMain = pluginEntry(QARN_PLUGIN_FILE, "main");
        ASSERT_NE(pluginMain, nullptr) << QARN_PLUGIN_FILE;
        effect = pluginMain(host);
        ASSERT_NE(effect, nullptr);
    }
    void TearDown() override
    {
        if (effect) {
            EXPECT_EQ(dispatch(effClose, 0, 0, nullptr), 1);
        }
    }
    intptr_t dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr)
    {
        return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
    }

    AEffect* effect = nullptr;
};

TEST_F(PluginAnswersTest, SixtyFourBitBuildsExportTheEntryUnderBothNames)
{
    if (sizeof(void*) < 8)
        GTEST_SKIP() << "32-bit hosts look for main only";
    EXPECT_EQ(pluginEntry(QARN_PLUGIN_FILE, "VSTPluginMain"), pluginEntry(QARN_PLUGIN_FILE, "main"));
}

TEST_F(PluginAnswersTest, TheRecordDescribesAMidiOnlySynthWithFivePrograms)
{
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numPrograms, 5);
    EXPECT_EQ(effect->numParams, 0);
    EXPECT_EQ(effect->numInputs, 0);
    EXPECT_EQ(effect->numOutputs, 0);
#ifdef _WIN32
    EXPECT_EQ(effect->flags, effFlagsHasEditor | effFlagsIsSynth);
#else
    // Linux hosts call only processReplacing and refuse a plug-in without the flag.
    EXPECT_EQ(effect->flags, effFlagsHasEditor | effFlagsIsSynth | effFlagsCanReplacing);
#endif
    EXPECT_EQ(effect->uniqueID, 0x5141524E); // 'QARN'
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(effect->initialDelay, 0);
    EXPECT_NE(effect->process, nullptr);
    EXPECT_NE(effect->processReplacing, nullptr);
    EXPECT_EQ(effect->processDoubleReplacing, nullptr);
}

TEST_F(PluginAnswersTest, EveryNumberInTheTable)
{
    for (const NumberAnswer& row : numberAnswers)
        EXPECT_EQ(dispatch(row.opcode, row.index, row.value, nullptr), row.answer) << row.what;
}

TEST_F(PluginAnswersTest, EveryTextInTheTableWithinTheSmallestBuffer)
{
    for (const TextAnswer& row : textAnswers) {
        char buffer[64];
        std::memset(buffer, 'x', sizeof buffer);
        buffer[0] = '\0';
        EXPECT_EQ(dispatch(row.opcode, row.index, 0, buffer), row.answer) << row.opcode << " " << row.index;
        EXPECT_STREQ(buffer, row.text) << row.opcode << " " << row.index;
        EXPECT_EQ(std::string(buffer + 32, 32), std::string(32, 'x')) << row.opcode << " " << row.index;
    }
}

TEST_F(PluginAnswersTest, EachOfTheFiveProgramsNamesItsInstrument)
{
    for (int32_t program = 0; program < 5; ++program) {
        char name[32] = {};
        dispatch(effSetProgram, 0, program, nullptr);
        EXPECT_EQ(dispatch(effGetProgram, 0, 0, nullptr), program);
        dispatch(effGetProgramName, 0, 0, name);
        EXPECT_STREQ(name, programNames[program]);
    }
}

TEST_F(PluginAnswersTest, EveryCanDoInTheTable)
{
    for (const CanDoAnswer& row : canDoAnswers) {
        char text[64] = {};
        std::strncpy(text, row.text, sizeof text - 1);
        EXPECT_EQ(dispatch(effCanDo, 0, 0, text), row.answer) << row.text;
    }
    EXPECT_EQ(dispatch(effCanDo, 0, 0, nullptr), 0);
}

TEST_F(PluginAnswersTest, TheEditorRectangleIs700By500BeforeOpening)
{
    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 500);
    EXPECT_EQ(rect->right, 700);
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, nullptr), 0);
}

} // namespace
