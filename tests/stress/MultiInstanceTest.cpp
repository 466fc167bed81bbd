// Several instances of the plug-in alive in one process, sharing the one
// current model and the one 3-D view (off-screen here): programs changed in
// turn, frames drawn between every step, and the instances closed in every
// order of two, three and four, and in many orders of eight; and instances
// created and closed on several threads at once. AddressSanitizer turns any
// frame drawn from a freed model into a failure.
#include "glut/glut.h"
#include "tests/support/PlainEditor.h"
#include "state/CurrentModel.h"
#include "view3d/ModelSwap.h"
#include "formats/vst2/VstEntry.h"
#include "tests/stress/ClosingOrders.h"
#include "tests/support/HostileBlocks.h"
#include "tests/support/PluginStateReset.h"
#include "tests/support/StressHost.h"
#include "view3d/GlView.h"
#include "view3d/InstrumentModel.h"
#include "view3d/ViewState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <thread>
#include <vector>

namespace {

intptr_t dispatch(AEffect* effect, int32_t opcode, intptr_t value = 0, void* ptr = nullptr)
{
    return effect->dispatcher(effect, opcode, 0, value, ptr, 0.0f);
}

class MultiInstanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetPluginState();
        viewState.showKeyColour = true;
        viewState.showKeyMotion = true;
        viewState.showLinkedKeys = true;
        openView(nullptr);
        ASSERT_NE(viewWindow.viewWindowId, 0);
    }
    void TearDown() override
    {
        closeView();
        resetPluginState();
    }

    // One frame of whatever model is current now.
    void drawFrame()
    {
        const int before = glutQarnDisplayCount(viewWindow.viewWindowId);
        viewState.spinAngle += 7;
        dispatch(effect(0), effProcessEvents, 0, blocks.next().events);
        idleWithRotation();
        EXPECT_EQ(glutQarnDisplayCount(viewWindow.viewWindowId), before + 1);
    }
    void idleWithRotation()
    {
        viewState.autoRotate = true; // an idle with rotation on always draws
        idleView();
        viewState.autoRotate = false;
    }
    AEffect* effect(size_t i) { return alive.empty() ? nullptr : alive[i % alive.size()]; }

    void openInstances(int count)
    {
        for (int i = 0; i < count; ++i) {
            AEffect* created = vstMain(stressHostCallback, createPlainEditor);
            ASSERT_NE(created, nullptr);
            alive.push_back(created);
            dispatch(created, effMainsChanged, 1);
            drawFrame();
        }
        // Programs changed in turn; the last change decides the shown model.
        for (size_t i = 0; i < alive.size(); ++i) {
            dispatch(alive[i], effSetProgram, static_cast<intptr_t>(i % 5));
            drawFrame();
        }
        expectNamesOfCurrentModel();
    }

    // Every instance answers the name of the one current model (or an empty
    // name while there is none).
    void expectNamesOfCurrentModel()
    {
        for (AEffect* instance : alive) {
            char name[24];
            std::memset(name, 'x', sizeof name);
            dispatch(instance, effGetProgramName, 0, name);
            ASSERT_NE(std::memchr(name, '\0', sizeof name), nullptr);
            EXPECT_STREQ(name, currentModel ? currentModel->getName() : "");
        }
    }

    // Closes the instances in `order` (indices into the instances opened),
    // drawing and using the survivors after each close.
    void closeInOrder(const std::vector<size_t>& order)
    {
        std::vector<AEffect*> opened = alive;
        for (size_t step = 0; step < order.size(); ++step) {
            AEffect* closing = opened[order[step]];
            InstrumentModel* shown = currentModel;
            dispatch(closing, effClose);
            alive.erase(std::find(alive.begin(), alive.end(), closing));
            if (alive.empty())
                break;
            // The survivors keep the instrument they showed.
            idleWithRotation();
            EXPECT_EQ(currentModel, shown);
            expectNamesOfCurrentModel();
            dispatch(effect(step), effSetProgram, static_cast<intptr_t>(step % 5));
            ASSERT_NE(currentModel, nullptr);
            drawFrame();
            expectNamesOfCurrentModel();
        }
        // The last one to close freed it.
        EXPECT_TRUE(alive.empty());
        EXPECT_EQ(currentModel, nullptr);
    }

    std::vector<AEffect*> alive;
    HostileBlocks blocks{0xC0FFEEu};
};

TEST_F(MultiInstanceTest, TwoThreeAndFourInstancesClosedInEveryOrder)
{
    for (size_t count = 2; count <= 4; ++count) {
        std::vector<size_t> order(count);
        std::iota(order.begin(), order.end(), 0);
        do {
            openInstances(static_cast<int>(count));
            closeInOrder(order);
            if (HasFatalFailure())
                return;
        } while (std::next_permutation(order.begin(), order.end()));
    }
}

TEST_F(MultiInstanceTest, InstancesComeAndGoOnSeveralThreadsWhileOneStays)
{
    openInstances(1);
    InstrumentModel* shown = currentModel;
    ASSERT_NE(shown, nullptr);
    std::vector<std::thread> hosts;
    for (int thread = 0; thread < 4; ++thread) {
        hosts.emplace_back([] {
            for (int i = 0; i < 100; ++i) {
                AEffect* instance = vstMain(stressHostCallback, createPlainEditor);
                if (instance)
                    dispatch(instance, effClose);
            }
        });
    }
    for (std::thread& each : hosts)
        each.join();
    EXPECT_EQ(modelSelection.liveInstances.load(), 1);
    EXPECT_EQ(currentModel, shown);
    // Each new instance chose program 3, which the next frame shows.
    drawFrame();
    ASSERT_NE(currentModel, nullptr);
    EXPECT_STREQ(currentModel->getName(), "Piano (88 keys)");
    closeInOrder({0});
}

TEST_F(MultiInstanceTest, EightInstancesClosedInManyOrders)
{
    for (const std::vector<size_t>& each : closingOrdersOfEight(16)) {
        openInstances(8);
        closeInOrder(each);
        if (HasFatalFailure())
            return;
    }
}

} // namespace
