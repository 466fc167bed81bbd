#pragma once
// The X11 benchmarks' clock: the monotonic clock, in milliseconds.
#include <chrono>

inline double nowMs()
{
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}
