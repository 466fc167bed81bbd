#pragma once
// A captured picture: 8-bit red, green, blue per pixel, rows from the top.
#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // width * height * 3 bytes

    // "rrggbb" of the pixel, or an empty string outside the picture.
    std::string colourAt(int x, int y) const;
};

// Writes the picture as a PNG file. Answers false with a message when the
// picture is empty or the file cannot be written.
bool savePng(const RgbImage& image, const std::string& path, std::string& error);
