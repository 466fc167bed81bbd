#pragma once
// A BMP file decoded for drawing where the platform does not load bitmaps
// itself: pixels as 0x00RRGGBB, rows from the top.
#include <cstddef>
#include <cstdint>
#include <vector>

struct BmpImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels; // width x height, row after row from the top
};

// Neither side may exceed this; larger files are refused.
constexpr int32_t maxBmpSide = 16384;

// Decodes an uncompressed BMP of 1, 4, 8, 24 or 32 bits per pixel with a
// BITMAPINFOHEADER or a later header, stored bottom-up or top-down. Refuses
// (false, `image` untouched) anything else: compressed or 16-bit files, sizes
// of 0 or above maxBmpSide, palette indexes past the palette, and files
// shorter than their headers, palette and rows claim.
bool decodeBmp(const unsigned char* bytes, size_t size, BmpImage& image);
