#include "state/RedrawRequest.h"

#include <atomic>

namespace {
std::atomic<bool> accepting{false};
std::atomic<bool> redisplayPending{false};
std::atomic<bool> wakeOnItsWay{false};
std::atomic<void (*)(void*)> waker{nullptr};
std::atomic<void*> wakeTarget{nullptr};
} // namespace

void acceptRedisplayRequests(bool accept)
{
    accepting.store(accept, std::memory_order_release);
}

void requestRedisplay()
{
    if (!accepting.load(std::memory_order_acquire))
        return;
    redisplayPending.store(true, std::memory_order_release);
    if (wakeOnItsWay.exchange(true, std::memory_order_acq_rel))
        return;
    void (*const wake)(void*) = waker.load(std::memory_order_acquire);
    if (wake)
        wake(wakeTarget.load(std::memory_order_acquire));
}

bool takeRedisplayRequest()
{
    return redisplayPending.exchange(false, std::memory_order_acq_rel);
}

bool redisplayRequested()
{
    return redisplayPending.load(std::memory_order_acquire);
}

void setRedisplayWaker(void (*wake)(void* target), void* target)
{
    // The target first: a thread that sees the new waker sees its target too.
    waker.store(nullptr, std::memory_order_release);
    wakeTarget.store(target, std::memory_order_release);
    waker.store(wake, std::memory_order_release);
    wakeOnItsWay.store(false, std::memory_order_release);
}

void acknowledgeRedisplayWake()
{
    wakeOnItsWay.store(false, std::memory_order_release);
}
