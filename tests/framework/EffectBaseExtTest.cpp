#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/EffectBaseExt.h"
#include "TestEffect.h"
#include "tests/support/FakeHost.h"

namespace {

// Reports whether any operation that reads or writes through the host's
// pointer ran, and succeeds when it does, so a blocked call is visible as 0.
class PointerProbe : public TestEffect {
public:
    using TestEffect::TestEffect;

    void setProgramName(char*) override { touched = true; }
    void getProgramName(char*) override { touched = true; }
    void getParamLabel(int32_t, char*) override { touched = true; }
    void getParamDisplay(int32_t, char*) override { touched = true; }
    void getParamName(int32_t, char*) override { touched = true; }
    int32_t getChunk(void**, bool) override { return touch(); }
    bool string2Parameter(int32_t, char*) override { return touch(); }
    bool getProgramNameIndexed(int32_t, int32_t, char*) override { return touch(); }
    bool getInputProperties(int32_t, VstPinProperties*) override { return touch(); }
    bool getOutputProperties(int32_t, VstPinProperties*) override { return touch(); }
    bool offlineNotify(VstAudioFile*, int32_t, bool) override { return touch(); }
    bool offlinePrepare(VstOfflineTask*, int32_t) override { return touch(); }
    bool offlineRun(VstOfflineTask*, int32_t) override { return touch(); }
    bool processVarIo(VstVariableIo*) override { return touch(); }
    bool setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) override { return touch(); }
    bool getEffectName(char*) override { return touch(); }
    bool getErrorText(char*) override { return touch(); }
    bool getVendorString(char*) override { return touch(); }
    bool getProductString(char*) override { return touch(); }
    int32_t canDo(char*) override { return touch(); }
    bool getParameterProperties(int32_t, VstParameterProperties*) override { return touch(); }

    bool touch()
    {
        touched = true;
        return true;
    }
    bool touched = false;
};

class RectEditor : public EditorBase {
public:
    using EditorBase::EditorBase;
    int32_t getRect(ERect** out) override
    {
        *out = &rect;
        return 1;
    }
    ERect rect{};
};

// Records how the dispatcher maps the host's arguments onto operations.
class ArgumentProbe : public TestEffect {
public:
    using TestEffect::TestEffect;

    int32_t processEvents(VstEvents* events) override
    {
        seenEvents = events;
        return 1;
    }
    bool getProgramNameIndexed(int32_t category, int32_t index, char*) override
    {
        seen = {category, index};
        return true;
    }
    bool offlineNotify(VstAudioFile*, int32_t count, bool start) override
    {
        seen = {count, start ? 1 : 0};
        return true;
    }
    bool setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output) override
    {
        seenInput = input;
        seenOutput = output;
        return true;
    }
    intptr_t vendorSpecific(int32_t index, intptr_t value, void* ptr, float opt) override
    {
        seen = {index, static_cast<int32_t>(value)};
        seenPtr = ptr;
        seenOpt = opt;
        return 42;
    }
    void connectInput(int32_t index, bool state) override { seen = {index, state ? 1 : 0}; }

    VstEvents* seenEvents = reinterpret_cast<VstEvents*>(1);
    std::vector<int32_t> seen;
    VstSpeakerArrangement* seenInput = nullptr;
    VstSpeakerArrangement* seenOutput = nullptr;
    void* seenPtr = nullptr;
    float seenOpt = 0.0f;
};

template <typename T> T* fakePointer(int& storage)
{
    return reinterpret_cast<T*>(&storage);
}

TEST(EffectBaseExt, DispatcherDefaults)
{
    struct Case {
        int32_t opcode;
        intptr_t expected;
    };
    const Case cases[] = {
        {effProcessEvents, 0},
        {effCanBeAutomated, 1},
        {effString2Parameter, 0},
        {effGetNumProgramCategories, 1},
        {effGetProgramNameIndexed, 0},
        {effCopyProgram, 0},
        {effConnectInput, 1},
        {effConnectOutput, 1},
        {effGetInputProperties, 0},
        {effGetOutputProperties, 0},
        {effGetPlugCategory, 0},
        {effGetCurrentPosition, 0},
        {effGetDestinationBuffer, 0},
        {effOfflineNotify, 0},
        {effOfflinePrepare, 0},
        {effOfflineRun, 0},
        {effProcessVarIo, 0},
        {effSetBypass, 0},
        {effGetEffectName, 0},
        {effGetErrorText, 0},
        {effGetVendorString, 0},
        {effGetProductString, 0},
        {effGetVendorVersion, 0},
        {effVendorSpecific, 0},
        {effCanDo, 0},
        {effGetTailSize, 0},
        {effIdle, 0},
        {effGetIcon, 0},
        {effSetViewPosition, 0},
        {effGetParameterProperties, 0},
        {effKeysRequired, 1},
        {effGetVstVersion, 2},
    };
    FakeHost host;
    TestEffect effect(FakeHost::callback);
    int record = 0;
    char text[64] = "untouched";
    for (const Case& c : cases) {
        EXPECT_EQ(dispatch(effect, c.opcode, 0, 0, text, 0.0f), c.expected) << "opcode " << c.opcode;
    }
    EXPECT_EQ(dispatch(effect, effSetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&record), &record), 0);
    EXPECT_STREQ(text, "untouched");
    EXPECT_TRUE(host.calls().empty());
}

TEST(EffectBaseExt, OpcodesBelowTheExtensionsReachTheBase)
{
    TestEffect effect(nullptr, 5);
    dispatch(effect, effSetProgram, 0, 2);
    EXPECT_EQ(dispatch(effect, effGetProgram), 2);
    EXPECT_EQ(dispatch(effect, effIdentify), 0x4E764566);
    EXPECT_EQ(dispatch(effect, 59), 0);
}

TEST(EffectBaseExt, PlugCategoryFollowsTheSynthFlag)
{
    TestEffect effect(nullptr);
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), 0);
    effect.setIsSynth(true);
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), 2);
    effect.setIsSynth(false);
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), 0);
}

TEST(EffectBaseExt, BlockSizeAndSampleRateAreStoredTogether)
{
    TestEffect effect(nullptr);
    EXPECT_EQ(dispatch(effect, effSetBlockSizeAndSampleRate, 0, 512, nullptr, 96000.0f), 1);
    EXPECT_EQ(effect.getBlockSize(), 512);
    EXPECT_EQ(effect.getSampleRate(), 96000.0f);
}

TEST(EffectBaseExt, DispatcherMapsHostArgumentsOntoOperations)
{
    ArgumentProbe effect(nullptr);
    char text[32] = {};
    int a = 0;
    int b = 0;

    EXPECT_EQ(dispatch(effect, effProcessEvents, 0, 0, nullptr), 1);
    EXPECT_EQ(effect.seenEvents, nullptr); // null events are the effect's to handle

    EXPECT_EQ(dispatch(effect, effGetProgramNameIndexed, 3, 9, text), 1);
    EXPECT_EQ(effect.seen, (std::vector<int32_t>{9, 3})); // category from value, index from index

    EXPECT_EQ(dispatch(effect, effOfflineNotify, 1, 4, &a), 1);
    EXPECT_EQ(effect.seen, (std::vector<int32_t>{4, 1}));

    EXPECT_EQ(dispatch(effect, effSetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&a), &b), 1);
    EXPECT_EQ(effect.seenInput, fakePointer<VstSpeakerArrangement>(a));
    EXPECT_EQ(effect.seenOutput, fakePointer<VstSpeakerArrangement>(b));

    EXPECT_EQ(dispatch(effect, effVendorSpecific, 5, 6, &a, 0.5f), 42);
    EXPECT_EQ(effect.seen, (std::vector<int32_t>{5, 6}));
    EXPECT_EQ(effect.seenPtr, &a);
    EXPECT_EQ(effect.seenOpt, 0.5f);

    EXPECT_EQ(dispatch(effect, effConnectInput, 2, 0), 1);
    EXPECT_EQ(effect.seen, (std::vector<int32_t>{2, 0}));
}

TEST(EffectBaseExt, NullPointersFromTheHostNeverReachTheOperations)
{
    struct Case {
        int32_t opcode;
        intptr_t value;
    };
    int record = 0;
    const intptr_t recordValue = reinterpret_cast<intptr_t>(&record);
    const Case cases[] = {
        {effSetProgramName, 0},
        {effGetProgramName, 0},
        {effGetParamLabel, 0},
        {effGetParamDisplay, 0},
        {effGetParamName, 0},
        {effGetChunk, 0},
        {effString2Parameter, 0},
        {effGetProgramNameIndexed, 0},
        {effGetInputProperties, 0},
        {effGetOutputProperties, 0},
        {effOfflineNotify, 0},
        {effOfflinePrepare, 0},
        {effOfflineRun, 0},
        {effProcessVarIo, 0},
        {effSetSpeakerArrangement, recordValue},
        {effGetEffectName, 0},
        {effGetErrorText, 0},
        {effGetVendorString, 0},
        {effGetProductString, 0},
        {effCanDo, 0},
        {effGetParameterProperties, 0},
    };
    for (const Case& c : cases) {
        PointerProbe effect(nullptr);
        EXPECT_EQ(dispatch(effect, c.opcode, 0, c.value, nullptr), 0) << "opcode " << c.opcode;
        EXPECT_FALSE(effect.touched) << "opcode " << c.opcode;

        // With a usable pointer the same request does reach the operation.
        char buffer[64] = {};
        dispatch(effect, c.opcode, 0, c.value, buffer);
        EXPECT_TRUE(effect.touched) << "opcode " << c.opcode;
    }

    PointerProbe effect(nullptr);
    EXPECT_EQ(dispatch(effect, effSetSpeakerArrangement, 0, 0, &record), 0);
    EXPECT_FALSE(effect.touched);

    auto* editor = new RectEditor(&effect);
    effect.setEditor(editor);
    EXPECT_EQ(dispatch(effect, effEditGetRect, 0, 0, nullptr), 0);
}

TEST(EffectBaseExt, HostCallWrappersSendTheirOpcodeAndArguments)
{
    int token = 0;
    void* const tokenPtr = &token;
    char text[64] = {};
    auto* task = fakePointer<VstOfflineTask>(token);
    auto* files = fakePointer<VstAudioFile>(token);
    auto* window = fakePointer<VstWindow>(token);
    auto* arrangement = reinterpret_cast<VstSpeakerArrangement**>(&token);
    const intptr_t answer = 7;

    struct Case {
        const char* name;
        std::function<intptr_t(EffectBaseExt&)> call;
        int32_t opcode;
        int32_t index;
        intptr_t value;
        void* ptr;
        float opt;
        intptr_t expected; // with a host answering 7
        intptr_t expectedWithoutHost;
    };
    const std::vector<Case> cases = {
        {"wantMidi", [](EffectBaseExt& e) { return e.wantMidi(1); }, audioMasterWantMidi, 0, 1, nullptr, 0, 7, 0},
        {"getTime", [](EffectBaseExt& e) { return reinterpret_cast<intptr_t>(e.getTime(1)); }, audioMasterGetTime, 0, 1,
            nullptr, 0, 7, 0},
        {"tempoAt", [](EffectBaseExt& e) { return e.tempoAt(480); }, audioMasterTempoAt, 0, 480, nullptr, 0, 7, 0},
        {"getNumAutomatableParameters", [](EffectBaseExt& e) { return e.getNumAutomatableParameters(); },
            audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0, 7, 0},
        {"getParameterQuantization", [](EffectBaseExt& e) { return e.getParameterQuantization(); },
            audioMasterGetParameterQuantization, 0, 0, nullptr, 0, 7, 0},
        {"ioChanged", [](EffectBaseExt& e) -> intptr_t { return e.ioChanged(); }, audioMasterIOChanged, 0, 0, nullptr,
            0, 1, 0},
        {"needIdle", [](EffectBaseExt& e) -> intptr_t { return e.needIdle(); }, audioMasterNeedIdle, 0, 0, nullptr, 0,
            1, 0},
        {"sizeWindow", [](EffectBaseExt& e) -> intptr_t { return e.sizeWindow(300, 200); }, audioMasterSizeWindow, 300,
            200, nullptr, 0, 1, 0},
        {"updateSampleRate", [](EffectBaseExt& e) -> intptr_t { return static_cast<intptr_t>(e.updateSampleRate()); },
            audioMasterGetSampleRate, 0, 0, nullptr, 0, 44100, 44100},
        {"updateBlockSize", [](EffectBaseExt& e) -> intptr_t { return e.updateBlockSize(); }, audioMasterGetBlockSize,
            0, 0, nullptr, 0, 1024, 1024},
        {"getInputLatency", [](EffectBaseExt& e) { return e.getInputLatency(); }, audioMasterGetInputLatency, 0, 0,
            nullptr, 0, 7, 0},
        {"getOutputLatency", [](EffectBaseExt& e) { return e.getOutputLatency(); }, audioMasterGetOutputLatency, 0, 0,
            nullptr, 0, 7, 0},
        {"getPreviousPlug", [](EffectBaseExt& e) { return reinterpret_cast<intptr_t>(e.getPreviousPlug(1)); },
            audioMasterGetPreviousPlug, 0, 0, nullptr, 0, 7, 0},
        {"getNextPlug", [](EffectBaseExt& e) { return reinterpret_cast<intptr_t>(e.getNextPlug(1)); },
            audioMasterGetNextPlug, 0, 0, nullptr, 0, 7, 0},
        {"willReplaceOrAccumulate", [](EffectBaseExt& e) { return e.willReplaceOrAccumulate(); },
            audioMasterWillReplaceOrAccumulate, 0, 0, nullptr, 0, 7, 0},
        {"getCurrentProcessLevel", [](EffectBaseExt& e) { return e.getCurrentProcessLevel(); },
            audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0, 7, 0},
        {"getAutomationState", [](EffectBaseExt& e) { return e.getAutomationState(); }, audioMasterGetAutomationState,
            0, 0, nullptr, 0, 7, 0},
        {"offlineStart", [files](EffectBaseExt& e) -> intptr_t { return e.offlineStart(files, 3, 2); },
            audioMasterOfflineStart, 2, 3, tokenPtr, 0, 1, 0},
        {"offlineRead", [task](EffectBaseExt& e) -> intptr_t { return e.offlineRead(task, 5, true); },
            audioMasterOfflineRead, 1, 5, tokenPtr, 0, 1, 0},
        {"offlineWrite", [task](EffectBaseExt& e) -> intptr_t { return e.offlineWrite(task, 6); },
            audioMasterOfflineWrite, 0, 6, tokenPtr, 0, 1, 0},
        {"offlineGetCurrentPass", [](EffectBaseExt& e) -> intptr_t { return e.offlineGetCurrentPass(); },
            audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0, 1, 0},
        {"offlineGetCurrentMetaPass", [](EffectBaseExt& e) -> intptr_t { return e.offlineGetCurrentMetaPass(); },
            audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0, 1, 0},
        {"setOutputSampleRate", [](EffectBaseExt& e) { return e.setOutputSampleRate(22050.0f); },
            audioMasterSetOutputSampleRate, 0, 0, nullptr, 22050.0f, 7, 0},
        {"getSpeakerArrangement",
            [arrangement](EffectBaseExt& e) -> intptr_t { return e.getSpeakerArrangement(arrangement, arrangement); },
            audioMasterGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(tokenPtr), tokenPtr, 0, 1, 0},
        {"getHostVendorString", [&text](EffectBaseExt& e) -> intptr_t { return e.getHostVendorString(text); },
            audioMasterGetVendorString, 0, 0, text, 0, 1, 0},
        {"getHostProductString", [&text](EffectBaseExt& e) -> intptr_t { return e.getHostProductString(text); },
            audioMasterGetProductString, 0, 0, text, 0, 1, 0},
        {"getHostVendorVersion", [](EffectBaseExt& e) { return e.getHostVendorVersion(); }, audioMasterGetVendorVersion,
            0, 0, nullptr, 0, 7, 0},
        {"hostVendorSpecific", [tokenPtr](EffectBaseExt& e) { return e.hostVendorSpecific(4, 5, tokenPtr, 0.5f); },
            audioMasterVendorSpecific, 4, 5, tokenPtr, 0.5f, 7, 0},
        {"hostCanDo", [](EffectBaseExt& e) -> intptr_t { return e.hostCanDo("sizeWindow"); }, audioMasterCanDo, 0, 0,
            nullptr, 0, 0, 0},
        {"getHostLanguage", [](EffectBaseExt& e) { return e.getHostLanguage(); }, audioMasterGetLanguage, 0, 0, nullptr,
            0, 7, 0},
        {"openWindow", [window](EffectBaseExt& e) { return reinterpret_cast<intptr_t>(e.openWindow(window)); },
            audioMasterOpenWindow, 0, 0, tokenPtr, 0, 7, 0},
        {"closeWindow", [window](EffectBaseExt& e) -> intptr_t { return e.closeWindow(window); },
            audioMasterCloseWindow, 0, 0, tokenPtr, 0, 1, 0},
        {"getDirectory", [](EffectBaseExt& e) { return reinterpret_cast<intptr_t>(e.getDirectory()); },
            audioMasterGetDirectory, 0, 0, nullptr, 0, 7, 0},
        {"updateDisplay", [](EffectBaseExt& e) -> intptr_t { return e.updateDisplay(); }, audioMasterUpdateDisplay, 0,
            0, nullptr, 0, 1, 0},
    };

    for (const Case& c : cases) {
        FakeHost host;
        for (const Case& other : cases) {
            host.answer(other.opcode, answer);
        }
        TestEffect effect(FakeHost::callback);
        EXPECT_EQ(c.call(effect), c.expected) << c.name;
        ASSERT_EQ(host.calls().size(), 1u) << c.name;
        const HostCall& call = host.calls()[0];
        EXPECT_EQ(call.effect, effect.getAeffect()) << c.name;
        EXPECT_EQ(call.opcode, c.opcode) << c.name;
        EXPECT_EQ(call.index, c.index) << c.name;
        EXPECT_EQ(call.value, c.value) << c.name;
        if (c.opcode != audioMasterCanDo) {
            EXPECT_EQ(call.ptr, c.ptr) << c.name;
        }
        EXPECT_EQ(call.opt, c.opt) << c.name;

        TestEffect hostless(nullptr);
        EXPECT_EQ(c.call(hostless), c.expectedWithoutHost) << c.name << " without a host";
        EXPECT_EQ(host.calls().size(), 1u) << c.name << " without a host";
    }
}

TEST(EffectBaseExt, HostCanDoIsTrueOnlyForYes)
{
    FakeHost host;
    TestEffect effect(FakeHost::callback);
    EXPECT_FALSE(effect.hostCanDo("sendVstEvents"));
    host.answer(audioMasterCanDo, -1);
    EXPECT_FALSE(effect.hostCanDo("sendVstEvents"));
    host.answer(audioMasterCanDo, 1);
    EXPECT_TRUE(effect.hostCanDo("sendVstEvents"));
    EXPECT_STREQ(static_cast<const char*>(host.calls()[2].ptr), "sendVstEvents");
}

TEST(EffectBaseExt, GetTimeReturnsTheHostsRecord)
{
    FakeHost host;
    VstTimeInfo time{};
    time.flags = kVstTransportChanged;
    host.answer(audioMasterGetTime, reinterpret_cast<intptr_t>(&time));
    TestEffect effect(FakeHost::callback);
    EXPECT_EQ(effect.getTime(1), &time);
}

} // namespace
