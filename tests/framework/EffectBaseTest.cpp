#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "framework/EffectBase.h"
#include "TestEffect.h"
#include "tests/support/FakeHost.h"

namespace {

class RecordingEditor : public EditorBase {
public:
    RecordingEditor(EffectBase* effect, bool* destroyed = nullptr)
        : EditorBase(effect)
        , destroyed(destroyed)
    {
    }
    ~RecordingEditor() override
    {
        if (destroyed) {
            *destroyed = true;
        }
    }
    int32_t getRect(ERect** out) override
    {
        *out = &rect;
        return 1;
    }
    int32_t open(void* window) override
    {
        EditorBase::open(window);
        return 7;
    }
    void close() override { ++closeCalls; }
    void onUpdate() override { ++updates; }

    bool* destroyed;
    ERect rect{0, 0, 215, 135};
    int closeCalls = 0;
    int updates = 0;
};

TEST(EffectBase, ConstructorFillsTheRecordWithDefaults)
{
    FakeHost host;
    TestEffect effect(FakeHost::callback, 5, 3);
    const AEffect* record = effect.getAeffect();

    EXPECT_EQ(record->magic, 0x56737450);
    EXPECT_NE(record->dispatcher, nullptr);
    EXPECT_NE(record->process, nullptr);
    EXPECT_NE(record->processReplacing, nullptr);
    EXPECT_NE(record->setParameter, nullptr);
    EXPECT_NE(record->getParameter, nullptr);
    EXPECT_EQ(record->numPrograms, 5);
    EXPECT_EQ(record->numParams, 3);
    EXPECT_EQ(record->numInputs, 1);
    EXPECT_EQ(record->numOutputs, 2);
    EXPECT_EQ(record->flags, 0);
    EXPECT_EQ(record->resvd1, 0);
    EXPECT_EQ(record->resvd2, 0);
    EXPECT_EQ(record->initialDelay, 0);
    EXPECT_EQ(record->realQualities, 0);
    EXPECT_EQ(record->offQualities, 0);
    EXPECT_EQ(record->ioRatio, 1.0f);
    EXPECT_EQ(record->object, static_cast<EffectBase*>(&effect));
    EXPECT_EQ(record->user, nullptr);
    EXPECT_EQ(record->uniqueID, 0x4E6F4566);
    EXPECT_EQ(record->version, 1);
    const char zeros[sizeof record->future] = {};
    EXPECT_EQ(std::memcmp(record->future, zeros, sizeof zeros), 0);

    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 1024);
    EXPECT_EQ(dispatch(effect, effGetProgram), 0);
    EXPECT_TRUE(host.calls().empty());
}

TEST(EffectBase, EntryPointsForwardToTheObject)
{
    TestEffect effect(nullptr);
    AEffect* record = effect.getAeffect();

    record->process(record, nullptr, nullptr, 64);
    record->processReplacing(record, nullptr, nullptr, 32);
    record->setParameter(record, 1, 0.75f);

    EXPECT_EQ(effect.processedFrames, 64);
    EXPECT_EQ(effect.replacedFrames, 32);
    EXPECT_EQ(effect.lastParameterIndex, 1);
    EXPECT_EQ(effect.lastParameterValue, 0.75f);
    EXPECT_EQ(record->getParameter(record, 2), 0.5f);
}

TEST(EffectBase, EntryPointsIgnoreAMissingRecordOrObject)
{
    TestEffect effect(nullptr);
    AEffect* record = effect.getAeffect();

    EXPECT_EQ(record->dispatcher(nullptr, effIdentify, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(record->dispatcher(nullptr, effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(record->getParameter(nullptr, 0), 0.0f);
    record->process(nullptr, nullptr, nullptr, 64);
    record->setParameter(nullptr, 0, 1.0f);

    AEffect orphan = *record;
    orphan.object = nullptr;
    EXPECT_EQ(orphan.dispatcher(&orphan, effIdentify, 0, 0, nullptr, 0.0f), 0);
    orphan.processReplacing(&orphan, nullptr, nullptr, 16);
    EXPECT_EQ(effect.processedFrames + effect.replacedFrames, 0);
}

TEST(EffectBase, SetProgramAcceptsOnlyNumbersBelowTheCount)
{
    TestEffect effect(nullptr, 5);

    dispatch(effect, effSetProgram, 0, 4);
    EXPECT_EQ(dispatch(effect, effGetProgram), 4);
    dispatch(effect, effSetProgram, 0, 5);
    EXPECT_EQ(dispatch(effect, effGetProgram), 4);
    // Negative numbers reach setProgram; the effect decides what they mean.
    dispatch(effect, effSetProgram, 0, -1);
    EXPECT_EQ(dispatch(effect, effGetProgram), -1);
}

TEST(EffectBase, VuIsScaledAndTruncated)
{
    TestEffect effect(nullptr);
    effect.vu = 0.5f;
    EXPECT_EQ(dispatch(effect, effGetVu), 16383);
    effect.vu = -0.5f;
    EXPECT_EQ(dispatch(effect, effGetVu), -16383);
    effect.vu = NAN;
    EXPECT_EQ(dispatch(effect, effGetVu), 0);
    effect.vu = 1e30f;
    EXPECT_EQ(dispatch(effect, effGetVu), INT32_MAX);
}

TEST(EffectBase, IdentifyAnswersTheSameWhateverTheArguments)
{
    TestEffect effect(nullptr);
    char text[8] = {};
    EXPECT_EQ(dispatch(effect, effIdentify), 0x4E764566);
    EXPECT_EQ(dispatch(effect, effIdentify, -3, 99, text, 2.0f), 0x4E764566);
}

TEST(EffectBase, CloseRunsCloseThenDeletesTheEffectAndItsEditor)
{
    Lifetime lifetime;
    bool editorGone = false;
    auto* effect = new TestEffect(nullptr, 5, 0, &lifetime);
    effect->setEditor(new RecordingEditor(effect, &editorGone));

    AEffect* record = effect->getAeffect();
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_TRUE(lifetime.destroyed);
    EXPECT_EQ(lifetime.closeCallsBeforeDestruction, 1);
    EXPECT_TRUE(editorGone);
}

TEST(EffectBase, MainsChangedResumesOrSuspends)
{
    TestEffect effect(nullptr);
    dispatch(effect, effMainsChanged, 0, 1);
    dispatch(effect, effMainsChanged, 0, 0);
    dispatch(effect, effMainsChanged, 0, -7);
    EXPECT_EQ(effect.resumeCalls, 2);
    EXPECT_EQ(effect.suspendCalls, 1);
}

TEST(EffectBase, SampleRateAndBlockSizeAreStored)
{
    TestEffect effect(nullptr);
    EXPECT_EQ(dispatch(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f), 0);
    EXPECT_EQ(dispatch(effect, effSetBlockSize, 0, 256), 0);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    EXPECT_EQ(effect.getBlockSize(), 256);
}

// A 64-bit host's value or answer that does not fit the operation's 32 bits
// reads as the nearest limit, never as its low half (2^32 + 512 is no block
// size of 512).
TEST(EffectBase, WideValuesSaturateInsteadOfWrapping)
{
    if (sizeof(intptr_t) < sizeof(int64_t))
        GTEST_SKIP() << "every 32-bit value fits";
    const auto above = static_cast<intptr_t>(int64_t{0x100000200});
    const auto below = static_cast<intptr_t>(-int64_t{0x100000000} + 5);

    FakeHost host;
    TestEffect effect(FakeHost::callback);
    dispatch(effect, effSetBlockSize, 0, above);
    EXPECT_EQ(effect.getBlockSize(), INT32_MAX);
    dispatch(effect, effSetBlockSize, 0, below);
    EXPECT_EQ(effect.getBlockSize(), INT32_MIN);
    dispatch(effect, effSetBlockSizeAndSampleRate, 0, above, nullptr, 48000.0f);
    EXPECT_EQ(effect.getBlockSize(), INT32_MAX);
    dispatch(effect, effSetProgram, 0, below);
    EXPECT_EQ(dispatch(effect, effGetProgram), 0);

    host.answer(audioMasterVersion, static_cast<intptr_t>(int64_t{0x100000000}));
    EXPECT_EQ(effect.getHostVersion(), INT32_MAX);
    host.answer(audioMasterCurrentId, below);
    EXPECT_EQ(effect.getHostCurrentId(), INT32_MIN);
}

TEST(EffectBase, EditorOpcodesWithoutAnEditorAnswerZero)
{
    TestEffect effect(nullptr);
    ERect* rect = nullptr;
    int window = 0;
    EXPECT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(dispatch(effect, effEditOpen, 0, 0, &window), 0);
    EXPECT_EQ(dispatch(effect, effEditClose), 0);
    EXPECT_EQ(dispatch(effect, effEditIdle), 0);
    EXPECT_EQ(rect, nullptr);
}

TEST(EffectBase, EditorOpcodesReachTheEditor)
{
    TestEffect effect(nullptr);
    auto* editor = new RecordingEditor(&effect);
    effect.setEditor(editor);
    EXPECT_EQ(effect.getAeffect()->flags & effFlagsHasEditor, effFlagsHasEditor);

    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect, &editor->rect);
    int window = 0;
    EXPECT_EQ(dispatch(effect, effEditOpen, 0, 0, &window), 7);
    EXPECT_EQ(editor->getParentWindow(), &window);
    EXPECT_EQ(dispatch(effect, effEditClose), 0);
    EXPECT_EQ(editor->closeCalls, 1);

    editor->requestUpdate();
    dispatch(effect, effEditIdle);
    EXPECT_EQ(editor->updates, 1);
}

TEST(EffectBase, SetEditorWithNoneClearsTheFlag)
{
    TestEffect effect(nullptr);
    RecordingEditor editor(&effect);
    effect.setEditor(&editor);
    effect.setEditor(nullptr);
    EXPECT_EQ(effect.getAeffect()->flags & effFlagsHasEditor, 0);
    EXPECT_EQ(effect.currentEditor(), nullptr);
}

TEST(EffectBase, UnknownOpcodesAnswerZero)
{
    TestEffect effect(nullptr);
    char text[16] = "untouched";
    const int32_t opcodes[] = {
        effEditDraw, effEditMouse, effEditKey, effEditTop, effEditSleep, -1, 59, 1000, INT32_MIN, INT32_MAX};
    for (int32_t opcode : opcodes) {
        EXPECT_EQ(dispatch(effect, opcode, 1, 1, text, 1.0f), 0) << "opcode " << opcode;
    }
    EXPECT_STREQ(text, "untouched");
}

TEST(EffectBase, AutomateSetsTheParameterAndTellsTheHost)
{
    FakeHost host;
    host.answer(audioMasterAutomate, 1);
    TestEffect effect(FakeHost::callback);

    EXPECT_EQ(effect.automateParameter(1, 0.25f), 1);
    EXPECT_EQ(effect.lastParameterIndex, 1);
    EXPECT_EQ(effect.lastParameterValue, 0.25f);
    ASSERT_EQ(host.calls().size(), 1u);
    const HostCall& call = host.calls()[0];
    EXPECT_EQ(call.effect, effect.getAeffect());
    EXPECT_EQ(call.opcode, audioMasterAutomate);
    EXPECT_EQ(call.index, 1);
    EXPECT_EQ(call.value, 0);
    EXPECT_EQ(call.ptr, nullptr);
    EXPECT_EQ(call.opt, 0.25f);
}

TEST(EffectBase, HostQueriesTranslateTheAnswers)
{
    FakeHost host;
    TestEffect effect(FakeHost::callback);

    EXPECT_EQ(effect.getHostVersion(), 1); // a host answering 0 counts as version 1
    host.answer(audioMasterVersion, 2400);
    EXPECT_EQ(effect.getHostVersion(), 2400);
    host.answer(audioMasterCurrentId, 0x41424344);
    EXPECT_EQ(effect.getHostCurrentId(), 0x41424344);
    effect.hostIdle();
    EXPECT_TRUE(effect.isInputPinConnected(3));
    host.answer(audioMasterPinConnected, 1);
    EXPECT_FALSE(effect.isOutputPinConnected(4));

    const auto& calls = host.calls();
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[2].opcode, audioMasterCurrentId);
    EXPECT_EQ(calls[3].opcode, audioMasterIdle);
    EXPECT_EQ(calls[4].opcode, audioMasterPinConnected);
    EXPECT_EQ(calls[4].index, 3);
    EXPECT_EQ(calls[4].value, 0);
    EXPECT_EQ(calls[5].index, 4);
    EXPECT_EQ(calls[5].value, 1);
}

TEST(EffectBase, HostCallsWithoutAHostSendNothingAndAnswerDefaults)
{
    FakeHost host;
    TestEffect effect(nullptr);
    EXPECT_EQ(effect.automateParameter(0, 0.5f), 0);
    EXPECT_EQ(effect.lastParameterValue, 0.5f);
    EXPECT_EQ(effect.getHostVersion(), 1);
    EXPECT_EQ(effect.getHostCurrentId(), 0);
    effect.hostIdle();
    EXPECT_TRUE(effect.isInputPinConnected(0));
    EXPECT_TRUE(effect.isOutputPinConnected(0));
    EXPECT_TRUE(host.calls().empty());
}

TEST(EffectBase, FlagSettersSetAndClearOnlyTheirBit)
{
    struct Case {
        void (*set)(TestEffect&, bool);
        int32_t bit;
    };
    const Case cases[] = {
        {[](TestEffect& e, bool s) { e.setHasClip(s); }, effFlagsHasClip},
        {[](TestEffect& e, bool s) { e.setHasVu(s); }, effFlagsHasVu},
        {[](TestEffect& e, bool s) { e.setCanMono(s); }, effFlagsCanMono},
        {[](TestEffect& e, bool s) { e.setCanReplacing(s); }, effFlagsCanReplacing},
        {[](TestEffect& e, bool s) { e.setProgramsAreChunks(s); }, effFlagsProgramChunks},
        {[](TestEffect& e, bool s) { e.setIsSynth(s); }, effFlagsIsSynth},
        {[](TestEffect& e, bool s) { e.setNoTail(s); }, effFlagsNoSoundInStop},
        {[](TestEffect& e, bool s) { e.setAsyncOperation(s); }, effFlagsExtIsAsync},
        {[](TestEffect& e, bool s) { e.setHasExternalBuffer(s); }, effFlagsExtHasBuffer},
    };
    FakeHost host;
    for (const Case& c : cases) {
        TestEffect effect(FakeHost::callback);
        effect.getAeffect()->flags = effFlagsHasEditor;
        c.set(effect, true);
        EXPECT_EQ(effect.getAeffect()->flags, effFlagsHasEditor | c.bit) << "bit " << c.bit;
        c.set(effect, false);
        EXPECT_EQ(effect.getAeffect()->flags, effFlagsHasEditor) << "bit " << c.bit;
    }
    EXPECT_TRUE(host.calls().empty());
}

} // namespace
