#include "plugin/RedrawRequest.h"

std::atomic<bool> glViewReady{false};

namespace {
std::atomic<bool> redisplayPending{false};
}

void requestRedisplay()
{
    if (glViewReady.load(std::memory_order_acquire))
        redisplayPending.store(true, std::memory_order_release);
}

bool takeRedisplayRequest()
{
    return redisplayPending.exchange(false, std::memory_order_acq_rel);
}
