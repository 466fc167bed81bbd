// The plug-in when memory runs out. Allocation failures are injected by
// replacing the global operator new; the outOfMemory flag is sticky for the
// whole process, so these cases live in their own test program.
#include "tests/support/PlainEditor.h"
#include "core/Programs.h"
#include "formats/vst2/VstEntry.h"
#include "tests/support/FakeHost.h"
#include "view3d/InstrumentModel.h"
#include "view3d/ModelSwap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {
// Counts nothrow allocations down; the one that reaches zero fails.
int failingAllocation = 0;

void* allocate(std::size_t size)
{
    return std::malloc(size ? size : 1);
}
} // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    if (failingAllocation > 0 && --failingAllocation == 0)
        return nullptr;
    return allocate(size);
}
void* operator new(std::size_t size)
{
    if (void* p = allocate(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    return operator new(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

// The host still hears the program it chose, and the model is tried again at
// the next swap, so it appears as soon as memory allows.
TEST(OutOfMemory, AModelThatCannotBeBuiltLeavesNoModelUntilItCanBe)
{
    FakeHost host;
    host.answer(audioMasterVersion, 2400);
    AEffect* effect = vstMain(FakeHost::callback, createPlainEditor);
    ASSERT_NE(effect, nullptr);
    effect->dispatcher(effect, effSetProgram, 0, 1, nullptr, 0);
    failingAllocation = 1;
    installWantedModel();
    EXPECT_EQ(currentModel, nullptr);
    char name[24] = "junk";
    effect->dispatcher(effect, effGetProgramName, 0, 0, name, 0);
    EXPECT_STREQ(name, "Piano (61 keys)");
    installWantedModel();
    ASSERT_NE(currentModel, nullptr);
    EXPECT_STREQ(currentModel->getName(), "Piano (61 keys)");
    effect->dispatcher(effect, effSetProgram, 0, 4, nullptr, 0);
    installWantedModel();
    ASSERT_NE(currentModel, nullptr);
    EXPECT_STREQ(currentModel->getName(), "Flute");
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0);
    EXPECT_EQ(currentModel, nullptr);
}

TEST(OutOfMemory, NoPluginObjectMeansNoEffect)
{
    FakeHost host;
    host.answer(audioMasterVersion, 2400);
    failingAllocation = 1;
    EXPECT_EQ(vstMain(FakeHost::callback, createPlainEditor), nullptr);
}

// Must run last: after an editor failure the plug-in refuses to load for good.
TEST(OutOfMemory, AnEditorThatCannotBeBuiltRefusesThisAndEveryLaterLoad)
{
    FakeHost host;
    host.answer(audioMasterVersion, 2400);
    failingAllocation = 2; // the plug-in object succeeds, its editor fails
    EXPECT_EQ(vstMain(FakeHost::callback, createPlainEditor), nullptr);
    EXPECT_EQ(currentModel, nullptr);
    EXPECT_EQ(vstMain(FakeHost::callback, createPlainEditor), nullptr);
}

} // namespace
