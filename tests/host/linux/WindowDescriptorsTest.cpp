// The host window's event loop runs a plug-in's file descriptors: a watch
// fires with what the descriptor is ready for, a new watch of the same
// descriptor replaces the old, and a watch that stops itself while it runs
// is not run again.
// GoogleTest first: Xlib's macros (None, Bool) would rename its code.
#include <gtest/gtest.h>

#include "host/engine/HostWindow.h"

#include <unistd.h>

namespace {

class WindowDescriptorsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(window.create("descriptors", 64, 48, error)) << error;
        ASSERT_EQ(pipe(ends), 0);
    }
    void TearDown() override
    {
        window.destroy();
        close(ends[0]);
        close(ends[1]);
    }
    void writeByte() { ASSERT_EQ(write(ends[1], "x", 1), 1); }

    HostWindow window;
    int ends[2] = {-1, -1};
};

TEST_F(WindowDescriptorsTest, AReadyDescriptorRunsItsWatchWithWhatItIsReadyFor)
{
    ASSERT_TRUE(HostWindow::watchesDescriptors());
    int runs = 0;
    unsigned seen = 0;
    ASSERT_TRUE(window.watchDescriptor(ends[0], HostWindow::DescriptorRead, [&](unsigned events) {
        ++runs;
        seen = events;
        char byte = 0;
        EXPECT_EQ(read(ends[0], &byte, 1), 1);
    }));
    ASSERT_TRUE(window.runFor(20));
    EXPECT_EQ(runs, 0) << "nothing to read yet";

    writeByte();
    ASSERT_TRUE(window.runFor(20));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(seen, static_cast<unsigned>(HostWindow::DescriptorRead));

    writeByte();
    ASSERT_TRUE(window.pumpMessages());
    EXPECT_EQ(runs, 2) << "a pump looks at the descriptors too";

    window.stopWatching(ends[0]);
    writeByte();
    ASSERT_TRUE(window.runFor(20));
    EXPECT_EQ(runs, 2) << "no longer watched";
}

TEST_F(WindowDescriptorsTest, AWatchAgainReplacesTheOldAndMayStopItselfWhileRunning)
{
    int oldRuns = 0;
    int newRuns = 0;
    window.watchDescriptor(ends[0], HostWindow::DescriptorRead, [&](unsigned) { ++oldRuns; });
    window.watchDescriptor(ends[0], HostWindow::DescriptorRead, [&](unsigned) {
        ++newRuns;
        window.stopWatching(ends[0]);
    });
    writeByte();
    ASSERT_TRUE(window.runFor(20));
    ASSERT_TRUE(window.runFor(20));
    EXPECT_EQ(oldRuns, 0);
    EXPECT_EQ(newRuns, 1) << "the byte is still there, but the watch stopped itself";
}

} // namespace
