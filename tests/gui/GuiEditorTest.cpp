#include <windows.h>

#include "gui/EditorFrame.h"
#include "gui/GuiEditor.h"
#include "GuiTestSupport.h"
#include "tests/framework/TestEffect.h"
#include "tests/support/FakeHost.h"

namespace {

// A plug-in editor in miniature: builds its frame in open and counts updates.
class PanelEditor : public GuiEditor {
public:
    PanelEditor(EffectBase* effect, EventLog* log)
        : GuiEditor(effect)
        , log(log)
    {
    }
    ~PanelEditor() override { delete frame; }

    int32_t open(void* window) override
    {
        GuiEditor::open(window);
        rect = ERect{0, 0, 80, 100};
        frame = new EditorFrame(Rect(0, 0, 100, 80), window, this);
        frame->addChild(new RecordingView(Rect(10, 10, 20, 20), "A", log));
        return 1;
    }
    void onUpdate() override { log->push_back("update"); }
    void backdateIdle() { lastIdleTick = GetTickCount() - 1000; }

    EventLog* log;
};

using GuiEditorTest = GuiTest;

TEST_F(GuiEditorTest, AttachesToItsEffectAndHandsOutItsOwnRectangle)
{
    EventLog log;
    TestEffect effect(nullptr);
    auto* editor = new PanelEditor(&effect, &log); // owned by the effect from here
    EXPECT_EQ(effect.currentEditor(), editor);
    EXPECT_TRUE(effect.getAeffect()->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->bottom, 0);
    EXPECT_EQ(rect->right, 0);
    EXPECT_EQ(editor->getRect(nullptr), 0);
    GuiEditor detached(nullptr);
    EXPECT_EQ(detached.getRect(&rect), 1);
    EXPECT_EQ(rect->top, 0);
}

TEST_F(GuiEditorTest, OpenRequestsAnUpdateAndIdleRunsItThenRefreshesTheFrame)
{
    TestWindow parent(320, 240);
    EventLog log; // outlives the effect, whose editor's views write to it when deleted
    TestEffect effect(nullptr);
    auto* editor = new PanelEditor(&effect, &log);
    EXPECT_EQ(dispatch(effect, effEditOpen, 0, 0, parent.handle()), 1);
    EXPECT_EQ(editor->getParentWindow(), parent.handle());
    EXPECT_EQ(editor->getFrame()->getEditor(), editor);
    dispatch(effect, effEditIdle);
    EXPECT_EQ(log, (EventLog{"update"})); // not painted yet: no refresh
    pumpMessages();
    log.clear();
    editor->parameterChanged(3, 0.5f);
    dispatch(effect, effEditIdle);
    dispatch(effect, effEditIdle);
    editor->redrawAll(nullptr);
    EXPECT_EQ(log, (EventLog{"update", "refresh A", "refresh A", "draw A"}));
}

TEST_F(GuiEditorTest, ThrottledIdleRunsTheIdleWorkAndTheHostsIdleAtMostEveryFiftyMilliseconds)
{
    EXPECT_FALSE(GuiEditor::idleIsDue(1000, 1049));
    EXPECT_TRUE(GuiEditor::idleIsDue(1000, 1050));
    // Across the wrap-around of the millisecond counter.
    EXPECT_FALSE(GuiEditor::idleIsDue(0xFFFFFFF0u, 0x00000010u));
    EXPECT_TRUE(GuiEditor::idleIsDue(0xFFFFFFF0u, 0x00000030u));
    EXPECT_FALSE(GuiEditor::idleIsDue(0xFFFFFFF0u, 0xFFFFFFF5u));

    FakeHost host;
    EventLog log;
    TestEffect effect(FakeHost::callback);
    auto* editor = new PanelEditor(&effect, &log);
    host.clear();
    editor->requestUpdate();
    editor->backdateIdle();
    editor->throttledIdle();
    EXPECT_EQ(log, (EventLog{"update"}));
    ASSERT_EQ(host.calls().size(), 1u);
    EXPECT_EQ(host.calls()[0].opcode, audioMasterIdle);
}

} // namespace
