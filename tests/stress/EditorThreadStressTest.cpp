// The host's two threads with the real editor under Windows: the processing
// thread plays hostile event blocks (with transport changes) into the plug-in
// while the user-interface thread pumps messages, idles the editor, presses
// every panel button with either mouse button, changes programs, and closes
// and reopens the editor in a fresh host window now and then.
#include "editor/PanelLayout.h"
#include "glut/glut.h"
#include "plugin/CurrentModel.h"
#include "plugin/ModuleHandle.h"
#include "plugin/NoteTable.h"
#include "plugin/PracticeState.h"
#include "plugin/VstEntry.h"
#include "tests/lifetime/EditorDriver.h"
#include "tests/stress/StressHost.h"
#include "tests/support/SharedState.h"
#include "view3d/GlView.h"
#include "view3d/InstrumentModel.h"
#include "view3d/ViewState.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

namespace {

constexpr int uiRounds = 300;

intptr_t dispatch(AEffect* effect, int32_t opcode, intptr_t value = 0, void* ptr = nullptr)
{
    return effect->dispatcher(effect, opcode, 0, value, ptr, 0.0f);
}

TEST(EditorThreadStress, BlocksArriveWhileTheEditorIsWorked)
{
    setModuleInstance(GetModuleHandleA(nullptr));
    resetSharedState();
    AEffect* effect = vstMain(stressHostCallback);
    ASSERT_NE(effect, nullptr);
    dispatch(effect, effMainsChanged, 1);
    EditorDriver editor(effect);
    ASSERT_EQ(editor.open(), 1);

    ProcessingThread processing(effect, 0xAB5EEDu);
    int framesDrawn = 0;
    int lastProgram = 3;
    for (int round = 0; round < uiRounds; ++round) {
        processing.waitForBlocks(round + 1);
        ASSERT_TRUE(editor.press(panelLayout[round % 13].tag, round % 2 == 1)) << round;
        if (round % 5 == 0) {
            const int program = (round / 5) % 7 - 1; // -1 and 5 change nothing
            dispatch(effect, effSetProgram, program);
            if (program >= 0 && program < 5)
                lastProgram = program;
            ASSERT_EQ(dispatch(effect, effGetProgram), lastProgram);
            char name[24];
            std::memset(name, 'x', sizeof name);
            dispatch(effect, effGetProgramName, 0, name);
            ASSERT_STREQ(name, programNames[lastProgram]);
        }
        if (round % 60 == 59) {
            editor.close(round % 120 == 119);
            ASSERT_EQ(editor.open(), 1);
        }
        const int before = glutQarnDisplayCount(viewWindow.viewWindowId);
        editor.idle();
        framesDrawn += glutQarnDisplayCount(viewWindow.viewWindowId) - before;
    }
    processing.stop();

    // Every press asks for a redraw, and any number of requests gives one frame.
    EXPECT_EQ(framesDrawn, uiRounds);
    expectNoteTableSane();
    sendTransportChange(effect);
    for (const NoteEntry& entry : noteTable.entries)
        ASSERT_EQ(entry.velocity.load(), 0);

    editor.close();
    dispatch(effect, effClose);
    resetSharedState();
}

} // namespace
