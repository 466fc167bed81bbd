// Two and then eight instances with real editors in one process under
// Windows: editors opened and closed in turn (the 3-D view moves to the last
// one opened), buttons pressed and programs changed on each, and the
// instances closed in several orders, some with their editor still open as
// a host that skips effEditClose leaves it. The survivors keep working after
// every close.
#include "editor/ViewerEditor.h"
#include "editor/PanelLayout.h"
#include "glut/glut.h"
#include "gui/ModuleHandle.h"
#include "view3d/ModelSwap.h"
#include "state/RedrawRequest.h"
#include "formats/vst2/VstEntry.h"
#include "tests/stress/ClosingOrders.h"
#include "tests/support/EditorDriver.h"
#include "tests/support/HostileBlocks.h"
#include "tests/support/PluginStateReset.h"
#include "tests/support/StressHost.h"
#include "view3d/GlView.h"
#include "view3d/InstrumentModel.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

intptr_t dispatch(AEffect* effect, int32_t opcode, intptr_t value = 0, void* ptr = nullptr)
{
    return effect->dispatcher(effect, opcode, 0, value, ptr, 0.0f);
}

class MultiInstanceEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setModuleInstance(GetModuleHandleA(nullptr));
        resetPluginState();
    }
    void TearDown() override
    {
        while (!instances.empty())
            closeInstance(0, false);
        resetPluginState();
    }

    void openInstances(size_t count)
    {
        for (size_t i = 0; i < count; ++i) {
            AEffect* effect = vstMain(stressHostCallback, createViewerEditor);
            ASSERT_NE(effect, nullptr);
            lastProgram = 3; // every new instance chooses the 88-key piano
            dispatch(effect, effMainsChanged, 1);
            instances.push_back(std::make_unique<EditorDriver>(effect));
        }
        // In turn: open this editor, work it, and close the one before it
        // every other time, so that several stay open together.
        for (size_t i = 0; i < instances.size(); ++i) {
            EditorDriver& editor = *instances[i];
            ASSERT_EQ(editor.open(), 1);
            ASSERT_NE(editor.viewWindow(), nullptr) << "the view moves to the last editor opened";
            workOn(editor, i);
            if (i > 0 && i % 2 == 0)
                instances[i - 1]->close(i % 4 == 0);
        }
    }

    // A press, a block, a program change and an idle of every open editor.
    void workOn(EditorDriver& editor, size_t step)
    {
        if (editor.isOpen()) {
            EXPECT_TRUE(editor.press(panelLayout[step % 13].tag));
        }
        dispatch(editor.effect, effProcessEvents, 0, blocks.next().events);
        dispatch(editor.effect, effSetProgram, static_cast<intptr_t>(step % 5));
        lastProgram = static_cast<int>(step % 5);
        for (const auto& each : instances)
            each->idle();
        expectNamesOfCurrentModel();
    }

    // Every instance answers the name of the program chosen last by any of
    // them, which the open view shows.
    void expectNamesOfCurrentModel()
    {
        for (const auto& each : instances) {
            char name[24];
            std::memset(name, 'x', sizeof name);
            dispatch(each->effect, effGetProgramName, 0, name);
            ASSERT_NE(std::memchr(name, '\0', sizeof name), nullptr);
            EXPECT_STREQ(name, programNames[lastProgram]);
            if (glViewReady && currentModel) {
                EXPECT_STREQ(currentModel->getName(), programNames[lastProgram]);
            }
        }
    }

    // effClose with the editor open or closed first; the host destroys its
    // window afterwards either way.
    void closeInstance(size_t index, bool closeEditorFirst)
    {
        std::unique_ptr<EditorDriver> closing = std::move(instances[index]);
        instances.erase(instances.begin() + static_cast<std::ptrdiff_t>(index));
        if (closeEditorFirst && closing->isOpen())
            closing->close();
        dispatch(closing->effect, effClose);
        closing->destroyWindow();
    }

    void closeInOrder(const std::vector<size_t>& order)
    {
        std::vector<AEffect*> opened;
        for (const auto& each : instances)
            opened.push_back(each->effect);
        for (size_t step = 0; step < order.size(); ++step) {
            const auto found = std::find_if(instances.begin(), instances.end(),
                [&](const auto& each) { return each->effect == opened[order[step]]; });
            ASSERT_NE(found, instances.end());
            closeInstance(static_cast<size_t>(found - instances.begin()), step % 3 == 0);
            if (instances.empty())
                break;
            // The survivors: one reopens its editor, all are worked.
            EditorDriver& next = *instances[step % instances.size()];
            if (!next.isOpen()) {
                ASSERT_EQ(next.open(), 1);
            }
            for (size_t i = 0; i < instances.size(); ++i)
                workOn(*instances[i], step + i);
        }
        EXPECT_EQ(currentModel, nullptr);
    }

    std::vector<std::unique_ptr<EditorDriver>> instances;
    HostileBlocks blocks{0x1D5u};
    int lastProgram = 3;
};

TEST_F(MultiInstanceEditorTest, TwoInstancesClosedInBothOrders)
{
    for (const std::vector<size_t>& order : {std::vector<size_t>{0, 1}, std::vector<size_t>{1, 0}}) {
        openInstances(2);
        closeInOrder(order);
        if (HasFatalFailure())
            return;
    }
}

TEST_F(MultiInstanceEditorTest, EightInstancesClosedInSeveralOrders)
{
    for (const std::vector<size_t>& each : closingOrdersOfEight(3)) {
        openInstances(8);
        closeInOrder(each);
        if (HasFatalFailure())
            return;
    }
}

} // namespace
