// The Linux host sees the frames of a library it loads through its own
// glClear and glXSwapBuffers: every clear, every finished frame and the
// watched pixel of it, from whichever thread draws, only once hooked, and
// every call still reaches libGL.
// GoogleTest first: Xlib's macros (None, Bool) would rename its code.
#include <gtest/gtest.h>

#include "host/engine/GlFrameHooks.h"
#include "tests/support/X11TestWindow.h"

#include <dlfcn.h>

#include <array>
#include <cstdlib>
#include <thread>

namespace {

using DrawClearedFrames = bool (*)(unsigned long parent, int frames, float red, float green, float blue);

class CountingObserver : public GlFrameObserver {
public:
    int watchedX() const override { return 5; }
    int watchedY() const override { return 7; }
    void onClear() override { ++clears; }
    void onFrameFinished(const unsigned char rgba[4]) override
    {
        lastPixel = {rgba[0], rgba[1], rgba[2]};
        ++frames;
    }

    // Written on the drawing thread, read after it has been joined.
    int clears = 0;
    int frames = 0;
    std::array<int, 3> lastPixel{-1, -1, -1};
};

bool drawOnAThreadOfItsOwn(
    DrawClearedFrames draw, const X11TestWindow& host, int frames, float red, float green, float blue)
{
    bool drawn = false;
    std::thread view([&] { drawn = draw(host.handle(), frames, red, green, blue); });
    view.join();
    return drawn;
}

TEST(GlFrameHooksTest, FramesOfALoadedLibraryReachTheObserverOnceHooked)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display";
    X11TestWindow host;
    ASSERT_TRUE(host.valid()) << "no X display (DISPLAY=" << std::getenv("DISPLAY") << ")";
    void* library = dlopen(QARN_GL_FRAMES_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    const auto draw = reinterpret_cast<DrawClearedFrames>(dlsym(library, "drawClearedFrames"));
    ASSERT_NE(draw, nullptr);

    // Unhooked, the calls only pass on.
    ASSERT_TRUE(drawOnAThreadOfItsOwn(draw, host, 2, 0.0f, 0.0f, 1.0f));

    // Hooked for the rest of the process.
    static CountingObserver observer;
    ASSERT_TRUE(hookPluginFrames(library, &observer));
    ASSERT_TRUE(drawOnAThreadOfItsOwn(draw, host, 3, 1.0f, 0.0f, 0.0f));
    EXPECT_EQ(observer.clears, 3);
    EXPECT_EQ(observer.frames, 3);
    EXPECT_EQ(observer.lastPixel, (std::array<int, 3>{255, 0, 0}));
    // The pixel is the frame's own, read before the swap.
    ASSERT_TRUE(drawOnAThreadOfItsOwn(draw, host, 1, 0.0f, 1.0f, 0.0f));
    EXPECT_EQ(observer.frames, 4);
    EXPECT_EQ(observer.lastPixel, (std::array<int, 3>{0, 255, 0}));
    dlclose(library);
}

TEST(GlFrameHooksTest, ALibraryWithoutGlHasNoFramesToSee)
{
    CountingObserver observer;
    void* library = dlopen("libm.so.6", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    EXPECT_FALSE(hookPluginFrames(library, &observer));
    EXPECT_FALSE(hookPluginFrames(nullptr, &observer));
    dlclose(library);
}

} // namespace
