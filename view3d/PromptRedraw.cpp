#include "view3d/PromptRedraw.h"

#include "glut/glut.h"
#include "state/RedrawRequest.h"
#include "view3d/GlView.h"

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point lastFrame{};

// The wake callback of the view's window, on the thread that owns it.
void onWake()
{
    if (!glViewReady.load(std::memory_order_acquire) || !redisplayRequested()) {
        acknowledgeRedisplayWake(); // an idle has drawn it already
        return;
    }
    const auto sinceLastFrame = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - lastFrame);
    if (sinceLastFrame.count() < frameSpacingMs) {
        // Still on its way: requests made until the timer fires need no wake of their own.
        glutQarnWakeAfter(frameSpacingMs - static_cast<int>(sinceLastFrame.count()));
        return;
    }
    acknowledgeRedisplayWake();
    if (takeRedisplayRequest())
        glutPostRedisplay();
    glutMainLoopUpdate();
}

} // namespace

void startPromptRedraw(int viewWindowId)
{
    glutQarnWakeFunc(onWake);
    // Wakes run on whatever thread made the request; posting is all they do.
    setRedisplayWaker(glutQarnWake, glutQarnWakeTarget(viewWindowId));
}

void stopPromptRedraw()
{
    setRedisplayWaker(nullptr, nullptr);
}

void noteFrameShown()
{
    lastFrame = Clock::now();
}
