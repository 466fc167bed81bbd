#pragma once

#include <cstdint>

// An RGB colour. The fourth byte is carried along but never drawn or compared.
struct Color {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t spare = 0;
};

// The value GDI expects (a COLORREF): red in the low byte.
constexpr uint32_t gdiColor(Color c)
{
    return static_cast<uint32_t>(c.red) | static_cast<uint32_t>(c.green) << 8 | static_cast<uint32_t>(c.blue) << 16;
}

constexpr bool sameRgb(Color a, Color b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

inline constexpr Color ColorWhite{255, 255, 255, 0};
inline constexpr Color ColorBlack{0, 0, 0, 0};
inline constexpr Color ColorGrey{127, 127, 127, 0};
inline constexpr Color ColorRed{255, 0, 0, 0};
inline constexpr Color ColorGreen{0, 255, 0, 0};
inline constexpr Color ColorBlue{0, 0, 255, 0};
inline constexpr Color ColorYellow{255, 255, 0, 0};
inline constexpr Color ColorMagenta{255, 0, 255, 0};
inline constexpr Color ColorCyan{0, 255, 255, 0};
// Pixels of this colour are the transparent ones of masked bitmap drawing.
inline constexpr Color ColorMaskKey{255, 255, 255, 0};
