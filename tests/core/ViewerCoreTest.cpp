// The core as a format other than VST 2 drives it: plain three-byte messages,
// instruments chosen by number, its editor through a port, instances counted
// in and out.
#include "core/ViewerCore.h"
#include "state/CurrentModel.h"
#include "state/NoteTable.h"
#include "state/RedrawRequest.h"
#include "tests/support/PluginStateReset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int velocityOf(int midiNote)
{
    return noteTable.entries[midiNote - lowestTabledNote].velocity.load();
}

// A format whose events are a plain list of messages, some of which (status
// 0) stand for events of another kind that the block must skip.
struct MessageList {
    std::vector<MidiMessage> messages;

    static int32_t read(const void* source, int32_t first, int32_t count, MidiMessage* messages)
    {
        const MessageList& list = *static_cast<const MessageList*>(source);
        int32_t written = 0;
        for (int32_t i = first; i < first + count; ++i) {
            const MidiMessage& message = list.messages[static_cast<size_t>(i)];
            if (message.bytes[0] != 0)
                messages[written++] = message;
        }
        return written;
    }
    MidiMessageBlock block(bool transportChanged = false) const
    {
        return {read, this, static_cast<int32_t>(messages.size()), transportChanged};
    }
};

class ViewerCoreTest : public ::testing::Test {
protected:
    void SetUp() override { resetPluginState(); }
};

TEST_F(ViewerCoreTest, MessagesOfAnyFormatReachTheNoteTable)
{
    ViewerCore core;
    MessageList list{{{{0x90, 60, 100}}, {{0, 0, 0}}, {{0x93, 64, 80}}, {{0x90, 67, 0x80 | 90}}}};
    core.receiveMidi(list.block());
    EXPECT_EQ(velocityOf(60), 100);
    EXPECT_EQ(velocityOf(64), 80);
    EXPECT_EQ(velocityOf(67), 90) << "the data bytes' top bit is no part of the value";

    MessageList release{{{{0x80, 60, 64}}, {{0x93, 64, 0}}}};
    core.receiveMidi(release.block());
    EXPECT_EQ(velocityOf(60), 0);
    EXPECT_EQ(velocityOf(64), 0) << "a note-on of velocity 0 is a note-off";
    EXPECT_EQ(velocityOf(67), 90);
}

TEST_F(ViewerCoreTest, ALongBlockIsReadWholeAndInOrder)
{
    // Far more entries than the intake asks for at once, every other one no
    // message, and the last one releasing the first note.
    MessageList list;
    for (int i = 0; i < 199; ++i) {
        const unsigned char note = static_cast<unsigned char>(12 + i / 2);
        list.messages.push_back(i % 2 == 0 ? MidiMessage{{0x90, note, 100}} : MidiMessage{{0, 0, 0}});
    }
    list.messages.push_back({{0x80, 12, 0}});
    ViewerCore core;
    core.receiveMidi(list.block());
    EXPECT_EQ(velocityOf(12), 0);
    for (int note = 13; note <= 111; ++note)
        EXPECT_EQ(velocityOf(note), 100) << note;
    EXPECT_EQ(velocityOf(112), 0);
}

TEST_F(ViewerCoreTest, ATransportChangeClearsTheHeldNotesBeforeTheBlocksOwn)
{
    ViewerCore core;
    MessageList held{{{{0x90, 48, 70}}, {{0x90, 72, 70}}}};
    core.receiveMidi(held.block());

    MessageList after{{{{0x90, 72, 50}}}};
    core.receiveMidi(after.block(true));
    EXPECT_EQ(velocityOf(48), 0);
    EXPECT_EQ(velocityOf(72), 50);

    MessageList empty;
    core.receiveMidi(empty.block(true));
    EXPECT_EQ(velocityOf(72), 0) << "an empty block still carries the transport";
}

TEST_F(ViewerCoreTest, EmptyBlocksAskForAFrameOnlyFromHostsThatSendThemWithEvents)
{
    ViewerCore core;
    acceptRedisplayRequests(true);
    takeRedisplayRequest();
    MessageList empty;
    core.receiveMidi(empty.block());
    EXPECT_TRUE(takeRedisplayRequest()) << "a VST 2 host sends a block only when it has one";
    core.receiveMidiSkippingEmpty(empty.block());
    EXPECT_FALSE(takeRedisplayRequest()) << "hosts of the other formats send an empty block at every cycle";
    core.receiveMidiSkippingEmpty(empty.block(true));
    EXPECT_TRUE(takeRedisplayRequest()) << "a transport change clears the held keys";
    MessageList note{{{{0x90, 60, 100}}}};
    core.receiveMidiSkippingEmpty(note.block());
    EXPECT_TRUE(takeRedisplayRequest());
    acceptRedisplayRequests(false);
}

TEST_F(ViewerCoreTest, InstrumentsAreChosenByNumberAndNamedByTheirModels)
{
    ViewerCore core;
    const char* const names[] = {"Piano (37 keys)", "Piano (61 keys)", "Piano (76 keys)", "Piano (88 keys)", "Flute"};
    ASSERT_EQ(ViewerCore::instrumentCount, 5);
    for (int32_t instrument = 0; instrument < ViewerCore::instrumentCount; ++instrument) {
        EXPECT_TRUE(core.selectInstrument(instrument));
        EXPECT_EQ(ViewerCore::selectedInstrument(), instrument);
        char name[24];
        ViewerCore::instrumentName(instrument, name, sizeof name);
        EXPECT_STREQ(name, names[instrument]);
    }

    core.selectInstrument(1);
    for (int32_t none : {-1, 5, 1000}) {
        EXPECT_FALSE(core.selectInstrument(none));
        EXPECT_EQ(ViewerCore::selectedInstrument(), 1) << none;
        char name[24] = "unchanged";
        ViewerCore::instrumentName(none, name, sizeof name);
        EXPECT_STREQ(name, "") << none;
    }
    core.selectInstrument(ViewerCore::defaultInstrument);
}

// A host may never set the instrument: the first instance must still show
// one, and a later instance must not undo a choice made through another.
TEST_F(ViewerCoreTest, TheFirstInstanceStartsOnTheDefaultInstrumentAndLaterOnesKeepTheChosenOne)
{
    modelSelection.wantedProgram.store(noProgram);
    {
        ViewerCore first;
        EXPECT_EQ(ViewerCore::selectedInstrument(), ViewerCore::defaultInstrument);
        first.selectInstrument(4);
        ViewerCore second;
        EXPECT_EQ(ViewerCore::selectedInstrument(), 4);
    }
    ViewerCore afterTheOthersClosed;
    EXPECT_EQ(ViewerCore::selectedInstrument(), 4);
    afterTheOthersClosed.selectInstrument(ViewerCore::defaultInstrument);
}

TEST_F(ViewerCoreTest, AnInstrumentNameIsCutToTheBufferItIsGiven)
{
    char name[6] = "xxxxx";
    ViewerCore::instrumentName(3, name, sizeof name);
    EXPECT_STREQ(name, "Piano");
}

TEST_F(ViewerCoreTest, AHostsTextNamesAnInstrumentByItsNameOrItsNumber)
{
    for (int32_t instrument = 0; instrument < ViewerCore::instrumentCount; ++instrument) {
        char name[64];
        ViewerCore::instrumentName(instrument, name, sizeof name);
        EXPECT_EQ(ViewerCore::instrumentOfText(name), instrument) << name;
        EXPECT_EQ(ViewerCore::instrumentOfText(std::to_string(instrument).c_str()), instrument);
    }
    for (const char* text : {"", "5", "-1", "2x", "piano"})
        EXPECT_EQ(ViewerCore::instrumentOfText(text), -1) << '"' << text << '"';
    EXPECT_EQ(ViewerCore::instrumentOfText(nullptr), -1);
}

TEST_F(ViewerCoreTest, EveryCoreCountsAsOneLiveInstance)
{
    const int32_t before = modelSelection.liveInstances.load();
    {
        ViewerCore first;
        {
            ViewerCore second;
            EXPECT_EQ(modelSelection.liveInstances.load(), before + 2);
        }
        EXPECT_EQ(modelSelection.liveInstances.load(), before + 1);
    }
    EXPECT_EQ(modelSelection.liveInstances.load(), before);
}

// Records what the core asks of its editor.
struct EditorCalls {
    std::vector<std::string> calls;
    bool opens = true;
    bool destroyed = false;
};
EditorCalls editorCalls;

class StandInEditor : public EditorPort {
public:
    ~StandInEditor() override { editorCalls.destroyed = true; }
    bool open(void* parentWindow) override
    {
        editorCalls.calls.push_back(parentWindow ? "open" : "open null");
        return editorCalls.opens;
    }
    void idle() override { editorCalls.calls.push_back("idle"); }
    void close() override { editorCalls.calls.push_back("close"); }
    void size(int32_t& width, int32_t& height) const override
    {
        width = 700;
        height = 500;
    }
};

EditorPort* makeStandInEditor()
{
    return new StandInEditor;
}

EditorPort* makeNoEditor()
{
    return nullptr;
}

class ViewerCoreEditorTest : public ViewerCoreTest {
protected:
    void SetUp() override
    {
        ViewerCoreTest::SetUp();
        editorCalls = EditorCalls{};
    }
    const std::vector<std::string>& calls() const { return editorCalls.calls; }
};

TEST_F(ViewerCoreEditorTest, TheEditorIsIdledOnlyWhileOpenAndClosedOnce)
{
    int parentWindow = 0;
    {
        ViewerCore core(makeStandInEditor);
        ASSERT_TRUE(core.hasEditor());
        int32_t width = 0;
        int32_t height = 0;
        EXPECT_TRUE(core.editorSize(width, height));
        EXPECT_EQ(width, 700);
        EXPECT_EQ(height, 500);

        core.idleEditor();
        core.closeEditor();
        EXPECT_TRUE(calls().empty()) << "nothing is open yet";

        EXPECT_TRUE(core.openEditor(&parentWindow));
        core.idleEditor();
        core.closeEditor();
        core.closeEditor();
        core.idleEditor();
        EXPECT_EQ(calls(), (std::vector<std::string>{"open", "idle", "close"}));
    }
    EXPECT_TRUE(editorCalls.destroyed);
}

TEST_F(ViewerCoreEditorTest, OpeningTwiceClosesTheFirstAndTheLastInstanceClosesWhatIsOpen)
{
    int parentWindow = 0;
    {
        ViewerCore core(makeStandInEditor);
        EXPECT_TRUE(core.openEditor(&parentWindow));
        EXPECT_TRUE(core.openEditor(&parentWindow));
    }
    EXPECT_EQ(calls(), (std::vector<std::string>{"open", "close", "open", "close"}));
    EXPECT_TRUE(editorCalls.destroyed);
}

TEST_F(ViewerCoreEditorTest, AnEditorThatCouldNotOpenIsNeitherIdledNorClosed)
{
    editorCalls.opens = false;
    ViewerCore core(makeStandInEditor);
    EXPECT_FALSE(core.openEditor(nullptr));
    core.idleEditor();
    core.closeEditor();
    EXPECT_EQ(calls(), (std::vector<std::string>{"open null"}));
}

TEST_F(ViewerCoreEditorTest, WithoutAnEditorEveryEditorCallIsRefusedHarmlessly)
{
    for (EditorPortMaker maker : {static_cast<EditorPortMaker>(nullptr), makeNoEditor}) {
        ViewerCore core(maker);
        EXPECT_FALSE(core.hasEditor());
        int32_t width = -1;
        int32_t height = -1;
        EXPECT_FALSE(core.editorSize(width, height));
        EXPECT_EQ(width, -1);
        EXPECT_EQ(height, -1);
        int parentWindow = 0;
        EXPECT_FALSE(core.openEditor(&parentWindow));
        core.idleEditor();
        core.closeEditor();
    }
}

TEST(ViewerCoreNames, TheVersionNumberSpellsTheReleaseVersion)
{
    EXPECT_STREQ(ViewerCore::productName, "Qarn Viewer");
    EXPECT_STREQ(ViewerCore::vendorName, "Qarn");
    const int32_t version = ViewerCore::versionNumber();
    EXPECT_EQ(version % 100, 0) << "the build digits stay 0";
    EXPECT_GE(version, 1000000);
    const std::string spelled = std::to_string(version / 1000000) + "." + std::to_string(version / 10000 % 100) + "." +
        std::to_string(version / 100 % 100);
    EXPECT_EQ(ViewerCore::versionText(), spelled) << "the text hosts show says the same";
}

} // namespace
