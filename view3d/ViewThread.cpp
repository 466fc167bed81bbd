#include "view3d/ViewThread.h"

#include "glut/glut.h"

#include <atomic>
#include <future>
#include <exception>
#include <thread>

namespace {

std::thread viewThread;
std::atomic<bool> stopRequested{false};
// The window's wake target, for stopping; set before the thread reports.
std::atomic<void*> stopTarget{nullptr};

void serveView(int (*open)(void* parent), void* parent, std::promise<int> opened)
{
    const int window = open(parent);
    stopTarget.store(window != 0 ? glutQarnWakeTarget(window) : nullptr);
    opened.set_value(window);
    if (window == 0)
        return;
    // The first pass draws the new window's first frame; then each pass waits
    // for the next event or wake and runs what it asked for.
    while (!stopRequested.load()) {
        glutMainLoopUpdate();
        glutQarnWaitEvents();
    }
    glutDestroyWindow(window);
}

} // namespace

int startViewThread(int (*open)(void* parent), void* parent)
{
    stopViewThread();
    stopRequested.store(false);
    std::future<int> window;
    try {
        std::promise<int> opened;
        window = opened.get_future();
        viewThread = std::thread(serveView, open, parent, std::move(opened));
    } catch (const std::exception&) {
        return 0; // no thread (or no memory) to be had: the view stays closed
    }
    const int id = window.get();
    if (id == 0)
        viewThread.join();
    return id;
}

void stopViewThread()
{
    if (!viewThread.joinable())
        return;
    stopRequested.store(true);
    glutQarnWake(stopTarget.exchange(nullptr));
    viewThread.join();
}
