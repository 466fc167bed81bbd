#pragma once

#include <cstdint>

// The seven fonts the toolkit draws text in, chosen by id.
enum FontId : int32_t {
    FontTitle = 0,
    FontLarge = 1,
    FontMedium = 2,
    FontNormal = 3,
    FontSmall = 4,
    FontTiny = 5,
    FontSymbol = 6,
};

struct FontSpec {
    const char* face;
    int32_t size; // character height in pixels
    int32_t weight; // 400 regular, 700 bold
    uint8_t pitchAndFamily; // LOGFONT lfPitchAndFamily
};

inline constexpr int32_t fontCount = 7;

// The table entry of `fontId`; an id outside 0..6 gives FontTitle's entry.
const FontSpec& fontSpec(int32_t fontId);
