// The host's two threads at once, off-screen: the processing thread plays
// hostile event blocks (with transport changes) into the plug-in while the
// user-interface thread pumps the 3-D view, draws frames, presses every panel
// action, changes programs and reopens the view. Built a second time with
// ThreadSanitizer (scripts/test.sh), which fails the run on any data race.
#include "editor/PanelActions.h"
#include "editor/PanelLayout.h"
#include "glut/glut.h"
#include "plugin/CurrentModel.h"
#include "plugin/NoteTable.h"
#include "plugin/PracticeState.h"
#include "plugin/VstEntry.h"
#include "tests/stress/StressHost.h"
#include "tests/support/SharedState.h"
#include "view3d/GlView.h"
#include "view3d/InstrumentModel.h"
#include "view3d/ViewState.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr int uiRounds = 260;

intptr_t dispatch(AEffect* effect, int32_t opcode, intptr_t value = 0, void* ptr = nullptr)
{
    return effect->dispatcher(effect, opcode, 0, value, ptr, 0.0f);
}

TEST(ThreadStress, IntakeAndTheUserInterfaceShareOnlyAtomicState)
{
    resetSharedState();
    AEffect* effect = vstMain(stressHostCallback);
    ASSERT_NE(effect, nullptr);
    dispatch(effect, effMainsChanged, 1);
    openView(nullptr);
    ASSERT_NE(viewWindow.viewWindowId, 0);

    ProcessingThread processing(effect, 0x5EED1234u);

    int framesDrawn = 0;
    int lastProgram = 3;
    for (int round = 0; round < uiRounds; ++round) {
        // Every round overlaps at least one block.
        processing.waitForBlocks(round + 1);
        applyPanelAction(panelLayout[round % 13].tag);
        if (round % 5 == 0) {
            // -1 and 5 are not programs and must change nothing.
            const int program = (round / 5) % 7 - 1;
            dispatch(effect, effSetProgram, program);
            if (program >= 0 && program < 5)
                lastProgram = program;
            ASSERT_EQ(dispatch(effect, effGetProgram), lastProgram);
            char name[24];
            std::memset(name, 'x', sizeof name);
            dispatch(effect, effGetProgramName, 0, name);
            ASSERT_NE(std::memchr(name, '\0', sizeof name), nullptr);
            ASSERT_STREQ(name, currentModel->getName());
        }
        if (round % 50 == 49) {
            // The view goes away and comes back while blocks keep asking it to redraw.
            closeView();
            idleView();
            openView(nullptr);
        }
        dispatch(effect, effEditIdle);
        const int before = glutQarnDisplayCount(viewWindow.viewWindowId);
        idleView();
        framesDrawn += glutQarnDisplayCount(viewWindow.viewWindowId) - before;
    }
    processing.stop();

    EXPECT_GT(processing.blocksSent(), 0);
    // Every press asks for a redraw, and any number of requests gives one frame.
    EXPECT_EQ(framesDrawn, uiRounds);
    expectNoteTableSane();
    sendTransportChange(effect);
    for (const NoteEntry& entry : noteTable.entries)
        ASSERT_EQ(entry.velocity.load(), 0);

    closeView();
    dispatch(effect, effClose);
    EXPECT_EQ(currentModel, nullptr);
    resetSharedState();
}

} // namespace
