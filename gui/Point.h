#pragma once

#include <cstdint>

// A pixel position in the frame window's client coordinates.
struct Point {
    constexpr Point() = default;
    constexpr Point(int32_t x, int32_t y)
        : x(x)
        , y(y)
    {
    }

    int32_t x = 0;
    int32_t y = 0;
};
