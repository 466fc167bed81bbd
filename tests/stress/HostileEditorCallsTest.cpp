// Editor requests in orders and with handles that careless hosts send, to the
// real editor under Windows: idles and closes with no editor open, opens
// without a window, into a window that is already gone or into a handle that
// names no window, two opens without a close, and the window destroyed
// between two idles. None may crash, and a proper open afterwards works.
#include "editor/ViewerEditor.h"
#include "editor/PanelLayout.h"
#include "gui/ModuleHandle.h"
#include "formats/vst2/VstEntry.h"
#include "tests/support/EditorDriver.h"
#include "tests/support/PluginStateReset.h"
#include "tests/support/StressHost.h"
#include "view3d/ViewState.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

class HostileEditorCallsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setModuleInstance(GetModuleHandleA(nullptr));
        resetPluginState();
        effect = vstMain(stressHostCallback, createViewerEditor);
        ASSERT_NE(effect, nullptr);
    }
    void TearDown() override
    {
        dispatch(effEditClose);
        dispatch(effClose);
        resetPluginState();
    }
    intptr_t dispatch(int32_t opcode, void* ptr = nullptr)
    {
        return effect->dispatcher(effect, opcode, 0, 0, ptr, 0.0f);
    }
    // A proper open still builds a working editor.
    void expectAWorkingEditor()
    {
        EditorDriver editor(effect);
        ASSERT_EQ(editor.open(), 1);
        EXPECT_NE(editor.viewWindow(), nullptr);
        const int zoom = viewState.zoom;
        EXPECT_TRUE(editor.press(TagZoomIn));
        EXPECT_EQ(viewState.zoom, zoom + 10);
        editor.idle();
        editor.close();
    }

    AEffect* effect = nullptr;
};

TEST_F(HostileEditorCallsTest, IdlesAndClosesBeforeAnyOpen)
{
    dispatch(effEditIdle);
    dispatch(effEditClose);
    dispatch(effEditClose);
    dispatch(effEditIdle);
    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effEditGetRect, &rect), 1);
    EXPECT_EQ(dispatch(effEditGetRect, nullptr), 0);
    expectAWorkingEditor();
}

TEST_F(HostileEditorCallsTest, OpensWithoutAUsableWindow)
{
    TestWindow gone(700, 500);
    HWND destroyed = gone.handle();
    gone.destroy();
    for (void* parent : {static_cast<void*>(nullptr), static_cast<void*>(destroyed),
             reinterpret_cast<void*>(static_cast<uintptr_t>(0x00BADBAD))}) {
        dispatch(effEditOpen, parent);
        pumpMessages();
        dispatch(effEditIdle);
        dispatch(effEditClose);
    }
    expectAWorkingEditor();
}

TEST_F(HostileEditorCallsTest, TwoOpensWithoutACloseAndAWindowDestroyedBetweenIdles)
{
    TestWindow first(700, 500);
    TestWindow second(700, 500);
    EXPECT_EQ(dispatch(effEditOpen, first.handle()), 1);
    EXPECT_EQ(dispatch(effEditOpen, second.handle()), 1);
    dispatch(effEditIdle);
    first.destroy();
    dispatch(effEditIdle);
    second.destroy();
    pumpMessages();
    dispatch(effEditIdle);
    dispatch(effEditClose);
    dispatch(effEditIdle);
    expectAWorkingEditor();
}

} // namespace
