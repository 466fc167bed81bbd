#pragma once
// The benchmarks' clock and their one statistic, on every platform.
#include <algorithm>
#include <chrono>
#include <vector>

// The monotonic clock, in milliseconds.
inline double nowMs()
{
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

// The median of the values; 0 for none.
inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// The cycles after which the editor-cycle programs report their counts; the
// cycles script reads these lines side by side.
inline bool reportsAfterCycle(int cycle)
{
    return cycle == 1 || cycle == 10 || cycle == 100 || cycle == 1000 || cycle == 10000;
}
