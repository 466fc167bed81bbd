#pragma once

#include <cstdint>

#include "gui/Point.h"

// A rectangle in the frame window's client coordinates. Hit-testing counts all
// four edges as inside, so a view of rectangle (0, 0, 48, 24) answers for 49 x 25
// pixels although it draws 48 x 24.
struct Rect {
    constexpr Rect() = default;
    constexpr Rect(int32_t left, int32_t top, int32_t right, int32_t bottom)
        : left(left)
        , top(top)
        , right(right)
        , bottom(bottom)
    {
    }

    constexpr int32_t width() const { return right - left; }
    constexpr int32_t height() const { return bottom - top; }
    constexpr bool contains(Point p) const { return left <= p.x && p.x <= right && top <= p.y && p.y <= bottom; }

    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};
