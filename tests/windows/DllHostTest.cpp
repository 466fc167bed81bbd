// The plug-in DLL loaded as a Windows host loads it: LoadLibrary, the `main`
// export, and the dispatcher called through the AEffect record.
#include "framework/Vst2Abi.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

typedef AEffect*(VSTCALLBACK* PluginMain)(audioMasterCallback host);

int wantMidiCalls = 0;
// What the host answers to audioMasterGetTime; null: no time info.
VstTimeInfo* hostTime = nullptr;

intptr_t VSTCALLBACK host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    if (opcode == audioMasterVersion)
        return 2400;
    if (opcode == audioMasterWantMidi)
        ++wantMidiCalls;
    if (opcode == audioMasterGetTime)
        return reinterpret_cast<intptr_t>(hostTime);
    return 0;
}

intptr_t VSTCALLBACK silentHost(AEffect*, int32_t, int32_t, intptr_t, void*, float)
{
    return 0;
}

class DllHostTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        module = LoadLibraryA("QarnViewer.dll");
        ASSERT_NE(module, nullptr);
        pluginMain = reinterpret_cast<PluginMain>(reinterpret_cast<void*>(GetProcAddress(module, "main")));
        ASSERT_NE(pluginMain, nullptr);
    }
    static void TearDownTestSuite() { FreeLibrary(module); }

    static HMODULE module;
    static PluginMain pluginMain;
};

HMODULE DllHostTest::module = nullptr;
PluginMain DllHostTest::pluginMain = nullptr;

TEST_F(DllHostTest, MainBuildsTheEffectAndCloseDestroysIt)
{
    AEffect* effect = pluginMain(host);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numPrograms, 5);
    EXPECT_EQ(effect->flags, 0x101);
    EXPECT_EQ(effect->uniqueID, 0x5141524E);

    char name[24] = {};
    effect->dispatcher(effect, effGetProgramName, 0, 0, name, 0);
    EXPECT_STREQ(name, "Piano (88 keys)");
    effect->dispatcher(effect, effSetProgram, 0, 4, nullptr, 0);
    effect->dispatcher(effect, effGetProgramName, 0, 0, name, 0);
    EXPECT_STREQ(name, "Flute");

    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0);
    EXPECT_EQ(wantMidiCalls, 1);
    EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0), 1);
}

TEST_F(DllHostTest, AHostWithoutVersionGetsNothing)
{
    EXPECT_EQ(pluginMain(silentHost), nullptr);
}

TEST_F(DllHostTest, EveryOpcodeAnswersWithoutCrashing)
{
    AEffect* effect = pluginMain(host);
    ASSERT_NE(effect, nullptr);
    // Generous buffers, as hosts hand them; null pointers must be harmless too.
    char buffer[512];
    for (int32_t opcode = 0; opcode <= 70; ++opcode) {
        if (opcode == effClose || opcode == effEditOpen || opcode == effGetChunk || opcode == effSetChunk)
            continue;
        std::memset(buffer, 0, sizeof buffer);
        effect->dispatcher(effect, opcode, 0, 0, buffer, 0);
        effect->dispatcher(effect, opcode, -1, -1, nullptr, 0);
    }
    EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0), 1);
}

TEST_F(DllHostTest, TheEntryIsExportedUnderTheNamesHostsLookFor)
{
    EXPECT_EQ(GetProcAddress(module, "qarnViewerMain"), nullptr);
#ifdef _WIN64
    EXPECT_EQ(GetProcAddress(module, "VSTPluginMain"), GetProcAddress(module, "main"));
#else
    EXPECT_EQ(GetProcAddress(module, "VSTPluginMain"), nullptr);
#endif
}

TEST_F(DllHostTest, ThePlugInNamesItselfWithinTheHostsBuffers)
{
    AEffect* effect = pluginMain(host);
    ASSERT_NE(effect, nullptr);
    struct Answer {
        int32_t opcode;
        const char* text;
    };
    for (const Answer& answer : {Answer{effGetEffectName, "Qarn Viewer"}, Answer{effGetProductString, "Qarn Viewer"},
             Answer{effGetVendorString, "Qarn"}}) {
        char buffer[64];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(effect->dispatcher(effect, answer.opcode, 0, 0, buffer, 0), 1) << answer.text;
        EXPECT_STREQ(buffer, answer.text);
        // An effect name's buffer is 32 bytes: nothing is written past it.
        EXPECT_EQ(std::string(buffer + 32, 32), std::string(32, 'x')) << answer.text;
    }
    EXPECT_GT(effect->dispatcher(effect, effGetVendorVersion, 0, 0, nullptr, 0), 0);
    EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0), 1);
}

// A 64-bit host's memory may lie above 4 GB: the event block, the events, the
// host's time info and a text buffer placed as high as the process allows
// must reach the plug-in and come back whole (a truncated pointer would fault).
TEST_F(DllHostTest, PointersAboveFourGigabytesPassWhole)
{
    const size_t size = 64 * 1024;
    auto* high = static_cast<char*>(VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE));
    ASSERT_NE(high, nullptr);
#ifdef _WIN64
    ASSERT_GT(reinterpret_cast<uintptr_t>(high), uintptr_t{0xFFFFFFFF});
#endif
    auto* time = reinterpret_cast<VstTimeInfo*>(high);
    time->sampleRate = 44100;
    time->tempo = 120;
    time->flags = kVstTransportChanged;
    auto* note = reinterpret_cast<VstMidiEvent*>(high + 1024);
    note->type = kVstMidiType;
    note->byteSize = sizeof(VstMidiEvent);
    note->midiData[0] = static_cast<char>(0x90);
    note->midiData[1] = 60;
    note->midiData[2] = 100;
    auto* block = reinterpret_cast<VstEvents*>(high + 2048);
    block->numEvents = 1;
    block->events[0] = reinterpret_cast<VstEvent*>(note);
    char* name = high + 4096;

    AEffect* effect = pluginMain(host);
    ASSERT_NE(effect, nullptr);
    hostTime = time;
    EXPECT_EQ(effect->dispatcher(effect, effProcessEvents, 0, 0, block, 0), 1);
    hostTime = nullptr;
    EXPECT_EQ(effect->dispatcher(effect, effGetEffectName, 0, 0, name, 0), 1);
    EXPECT_STREQ(name, "Qarn Viewer");
    EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0), 1);
    VirtualFree(high, 0, MEM_RELEASE);
}

} // namespace
