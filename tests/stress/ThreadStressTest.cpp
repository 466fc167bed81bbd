// The host's two threads at once, off-screen: the processing thread plays
// hostile event blocks (with transport changes) into the plug-in while the
// user-interface thread pumps the 3-D view, draws frames, presses every panel
// action, changes programs and reopens the view; and the processing thread
// changing programs while the user-interface thread draws. Built a second
// time with ThreadSanitizer (scripts/test.sh), which fails the run on any
// data race; AddressSanitizer fails it on a frame drawn from a freed model.
#include "editor/PanelActions.h"
#include "tests/support/PlainEditor.h"
#include "editor/PanelLayout.h"
#include "glut/glut.h"
#include "view3d/ModelSwap.h"
#include "state/NoteTable.h"
#include "state/PracticeState.h"
#include "state/RedrawRequest.h"
#include "formats/vst2/VstEntry.h"
#include "tests/support/PluginStateReset.h"
#include "tests/support/StressHost.h"
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
    resetPluginState();
    AEffect* effect = vstMain(stressHostCallback, createPlainEditor);
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
            ASSERT_STREQ(name, programNames[lastProgram]);
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
    resetPluginState();
}

bool isProgramName(const char* name)
{
    for (const char* each : programNames) {
        if (std::strcmp(name, each) == 0)
            return true;
    }
    return false;
}

TEST(ThreadStress, ProgramChangesOnTheProcessingThreadLeaveTheDrawnModelAlone)
{
    resetPluginState();
    AEffect* effect = vstMain(stressHostCallback, createPlainEditor);
    ASSERT_NE(effect, nullptr);
    openView(nullptr);
    ASSERT_NE(viewWindow.viewWindowId, 0);

    ProcessingThread processing(effect, 0x9A0C3A11u, true);
    int framesDrawn = 0;
    for (int round = 0; round < uiRounds; ++round) {
        processing.waitForBlocks(round + 1);
        // Asked here while the other thread chooses: always one whole name.
        char name[24];
        std::memset(name, 'x', sizeof name);
        dispatch(effect, effGetProgramName, 0, name);
        ASSERT_NE(std::memchr(name, '\0', sizeof name), nullptr);
        ASSERT_TRUE(isProgramName(name)) << name;
        const int before = glutQarnDisplayCount(viewWindow.viewWindowId);
        idleView();
        framesDrawn += glutQarnDisplayCount(viewWindow.viewWindowId) - before;
        ASSERT_NE(currentModel, nullptr);
    }
    processing.stop();
    EXPECT_GT(framesDrawn, 0);

    // The next frame shows the program chosen last, and the host hears it back.
    const int last = processing.lastProgramChosen();
    ASSERT_GE(last, 0);
    EXPECT_EQ(dispatch(effect, effGetProgram), last);
    requestRedisplay();
    idleView();
    ASSERT_NE(currentModel, nullptr);
    EXPECT_STREQ(currentModel->getName(), programNames[last]);

    closeView();
    dispatch(effect, effClose);
    EXPECT_EQ(currentModel, nullptr);
    resetPluginState();
}

} // namespace
