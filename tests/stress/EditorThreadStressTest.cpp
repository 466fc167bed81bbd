// The host's two threads with the real editor under Windows: the processing
// thread plays hostile event blocks (with transport changes) into the plug-in
// while the user-interface thread pumps messages, idles the editor, presses
// every panel button with either mouse button, changes programs, and closes
// and reopens the editor in a fresh host window now and then; and the
// processing thread changing programs while the editor draws.
#include "editor/ViewerEditor.h"
#include "editor/PanelLayout.h"
#include "glut/glut.h"
#include "gui/ModuleHandle.h"
#include "state/NoteTable.h"
#include "state/PracticeState.h"
#include "formats/vst2/VstEntry.h"
#include "tests/support/EditorDriver.h"
#include "tests/support/PluginStateReset.h"
#include "tests/support/StressHost.h"
#include "view3d/GlView.h"
#include "view3d/ViewState.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

namespace {

constexpr int uiRounds = 300;

intptr_t dispatch(AEffect* effect, int32_t opcode, intptr_t value = 0, void* ptr = nullptr)
{
    return effect->dispatcher(effect, opcode, 0, value, ptr, 0.0f);
}

TEST(EditorThreadStress, BlocksArriveWhileTheEditorIsWorked)
{
    setModuleInstance(GetModuleHandleA(nullptr));
    resetPluginState();
    AEffect* effect = vstMain(stressHostCallback, createViewerEditor);
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
    resetPluginState();
}

// The view's last frame, 600 x 400 RGBA.
std::vector<unsigned char> viewPixels()
{
    std::vector<unsigned char> rgba(600 * 400 * 4);
    if (!glutQarnReadPixels(viewWindow.viewWindowId, rgba.data(), static_cast<int>(rgba.size())))
        rgba.clear();
    return rgba;
}

TEST(EditorThreadStress, ProgramChangesFromTheProcessingThreadEndOnTheProgramLastSet)
{
    setModuleInstance(GetModuleHandleA(nullptr));
    resetPluginState();
    AEffect* effect = vstMain(stressHostCallback, createViewerEditor);
    ASSERT_NE(effect, nullptr);
    EditorDriver editor(effect);
    ASSERT_EQ(editor.open(), 1);

    ProcessingThread processing(effect, 0x5E7C0DEu, true);
    int framesDrawn = 0;
    for (int round = 0; round < uiRounds; ++round) {
        processing.waitForBlocks(round + 1);
        if (round % 100 == 99) {
            editor.close();
            ASSERT_EQ(editor.open(), 1);
        }
        const int before = glutQarnDisplayCount(viewWindow.viewWindowId);
        editor.idle();
        framesDrawn += glutQarnDisplayCount(viewWindow.viewWindowId) - before;
    }
    processing.stop();
    EXPECT_GT(framesDrawn, 0);
    const int last = processing.lastProgramChosen();
    ASSERT_GE(last, 0);
    sendTransportChange(effect); // silences the notes and asks for a frame
    editor.idle();
    const std::vector<unsigned char> shown = viewPixels();
    ASSERT_FALSE(shown.empty());

    // Each program drawn afresh in the same view: the frame was the picture
    // of the program set last, and of no other.
    for (int program = 0; program < 5; ++program) {
        dispatch(effect, effSetProgram, program);
        editor.idle();
        const bool same = viewPixels() == shown;
        EXPECT_EQ(same, program == last) << "program " << program << ", last set " << last;
    }

    editor.close();
    dispatch(effect, effClose);
    resetPluginState();
}

} // namespace
