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

intptr_t VSTCALLBACK host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    if (opcode == audioMasterVersion)
        return 2400;
    if (opcode == audioMasterWantMidi)
        ++wantMidiCalls;
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

TEST_F(DllHostTest, OnlyMainIsExported)
{
    EXPECT_EQ(GetProcAddress(module, "qarnViewerMain"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "VSTPluginMain"), nullptr);
}

} // namespace
