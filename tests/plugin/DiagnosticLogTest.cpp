// The diagnostic log as a user meets it: QARN_LOG set before the host loads
// the plug-in, one line per instance when the host closes it.
#include "core/DiagnosticLog.h"
#include "formats/vst2/VstEntry.h"
#include "tests/support/FakeHost.h"
#include "tests/support/MidiBlock.h"
#include "tests/support/PlainEditor.h"
#include "tests/support/PluginStateReset.h"
#include "tests/support/LogFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool exists(const std::string& file)
{
    return std::ifstream(file).good();
}

class DiagnosticLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetPluginState();
        logFile = ::testing::TempDir() + "qarn-diagnostic-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
        std::remove(logFile.c_str());
        host.answer(audioMasterVersion, 2400);
        host.answerText(audioMasterGetVendorString, "Linux Audio Systems");
        host.answerText(audioMasterGetProductString, "Ardour");
    }
    void TearDown() override
    {
        setLogVariable("");
        std::remove(logFile.c_str());
    }
    AEffect* create()
    {
        AEffect* effect = vstMain(FakeHost::callback, createPlainEditor);
        EXPECT_NE(effect, nullptr);
        return effect;
    }
    static intptr_t dispatch(AEffect* effect, int32_t opcode, intptr_t value = 0, void* ptr = nullptr, float opt = 0)
    {
        return effect->dispatcher(effect, opcode, 0, value, ptr, opt);
    }
    int hostCalls(int32_t opcode) const
    {
        int n = 0;
        for (const HostCall& call : host.calls())
            n += call.opcode == opcode;
        return n;
    }

    FakeHost host;
    std::string logFile;
};

TEST_F(DiagnosticLogTest, EachInstanceWritesWhatTheHostSaidAndSentWhenItCloses)
{
    setLogVariable(logFile);
    AEffect* effect = create();
    dispatch(effect, effSetSampleRate, 0, nullptr, 48000.0f);
    dispatch(effect, effSetBlockSize, 1024);

    // A chord, a controller, a note-on of velocity 0 (a note-off) and an
    // event that is no MIDI event.
    MidiBlock chord;
    chord.noteOn(0, 60, 100).noteOn(0, 64, 90).noteOn(9, 67, 80).add(0xB0, 7, 100).noteOn(0, 72, 0).noteOn(0, 70, 1);
    VstEvents* events = chord.events();
    VstEvent** list = events->events; // the host's list runs past the declared two
    list[5]->type = kVstMidiType + 5;
    dispatch(effect, effProcessEvents, 0, events);
    // Two released, and a note-on below the lowest key the table knows.
    MidiBlock release;
    release.noteOff(0, 60).noteOff(0, 64).noteOn(0, 11, 100);
    dispatch(effect, effProcessEvents, 0, release.events());
    dispatch(effect, effProcessEvents, 0, nullptr);

    EXPECT_FALSE(exists(logFile)) << "written before close";
    EXPECT_EQ(dispatch(effect, effClose), 1);
    EXPECT_EQ(fileContents(logFile),
        "vendor=\"Linux Audio Systems\" product=\"Ardour\" rate=48000 block=1024 events=8 note-ons=4 most-held=3\n");
}

TEST_F(DiagnosticLogTest, LinesAreAppendedOnePerInstance)
{
    {
        std::ofstream earlier(logFile);
        earlier << "an earlier session\n";
    }
    setLogVariable(logFile);
    AEffect* first = create();
    AEffect* second = create();
    MidiBlock note;
    note.noteOn(0, 60, 100);
    dispatch(second, effProcessEvents, 0, note.events());
    dispatch(second, effClose);
    dispatch(first, effClose);

    EXPECT_EQ(fileContents(logFile),
        "an earlier session\n"
        "vendor=\"Linux Audio Systems\" product=\"Ardour\" rate=44100 block=1024 events=1 note-ons=1 most-held=1\n"
        "vendor=\"Linux Audio Systems\" product=\"Ardour\" rate=44100 block=1024 events=0 note-ons=0 most-held=0\n");
}

TEST_F(DiagnosticLogTest, WhateverTheHostCallsItselfTheEntryStaysOneLine)
{
    host.answerText(audioMasterGetVendorString, "Evil \"Host\"\nrate=1 \\ \x01\t\x7f\r\xc3\xa9");
    host.answer(audioMasterGetProductString, 0); // says it wrote nothing
    setLogVariable(logFile);
    dispatch(create(), effClose);

    EXPECT_EQ(fileContents(logFile),
        "vendor=\"Evil \\\"Host\\\"\\nrate=1 \\\\ \\x01\\t\\x7f\\r\xc3\xa9\" product=\"\" rate=44100 block=1024 "
        "events=0 note-ons=0 most-held=0\n");
}

TEST_F(DiagnosticLogTest, WithoutTheVariableNothingIsWrittenNorAskedOfTheHost)
{
    AEffect* effect = create();
    MidiBlock note;
    note.noteOn(0, 60, 100);
    dispatch(effect, effProcessEvents, 0, note.events());
    dispatch(effect, effClose);

    EXPECT_FALSE(exists(logFile));
    EXPECT_EQ(hostCalls(audioMasterGetVendorString), 0);
    EXPECT_EQ(hostCalls(audioMasterGetProductString), 0);
}

TEST_F(DiagnosticLogTest, TheVariableCountsAsItWasWhenTheHostCreatedTheInstance)
{
    AEffect* createdWithout = create();
    setLogVariable(logFile);
    dispatch(createdWithout, effClose);
    EXPECT_FALSE(exists(logFile));

    AEffect* createdWith = create();
    setLogVariable("");
    dispatch(createdWith, effClose);
    EXPECT_TRUE(exists(logFile));
}

TEST_F(DiagnosticLogTest, AFileThatCannotBeWrittenIsSkipped)
{
    const std::string unwritable = ::testing::TempDir() + "qarn-no-such-folder/qarn.log";
    setLogVariable(unwritable);
    AEffect* effect = create();
    MidiBlock note;
    note.noteOn(0, 60, 100);
    dispatch(effect, effProcessEvents, 0, note.events());
    EXPECT_EQ(dispatch(effect, effClose), 1);
    EXPECT_FALSE(exists(unwritable));

    setLogVariable(::testing::TempDir()); // a folder
    EXPECT_EQ(dispatch(create(), effClose), 1);
}

TEST(DiagnosticLineTest, HostStringsAreReadOnlyAsFarAsTheirBuffer)
{
    char unterminated[hostStringCapacity + 40];
    std::fill(std::begin(unterminated), std::end(unterminated), 'v');
    char line[diagnosticLineCapacity];
    const size_t size = formatDiagnosticLine(line, sizeof line, {unterminated, nullptr, 44100.5f, -1}, {7, 5, 2});

    const std::string expected = "vendor=\"" + std::string(hostStringCapacity - 1, 'v') +
        "\" product=\"\" rate=44100.5 block=-1 events=7 note-ons=5 most-held=2\n";
    EXPECT_EQ(std::string(line), expected);
    EXPECT_EQ(size, expected.size());
}

TEST(DiagnosticLineTest, EveryLineFitsItsCapacityAndASmallBufferStaysTerminated)
{
    char quotes[hostStringCapacity];
    std::fill(std::begin(quotes), std::end(quotes), '\x01');
    quotes[hostStringCapacity - 1] = '\0';
    char line[diagnosticLineCapacity];
    const DeliveryCounts most{UINT32_MAX, UINT32_MAX, UINT32_MAX};
    const size_t size = formatDiagnosticLine(line, sizeof line, {quotes, quotes, -1.0e30f, INT32_MIN}, most);
    ASSERT_LT(size, sizeof line);
    EXPECT_EQ(line[size - 1], '\n');

    char small[12];
    EXPECT_EQ(formatDiagnosticLine(small, sizeof small, {"Ardour", "Ardour", 48000.0f, 64}, {}), 11u);
    EXPECT_STREQ(small, "vendor=\"Ard");
}

} // namespace
