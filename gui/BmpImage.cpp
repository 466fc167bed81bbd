#include "gui/BmpImage.h"

#include <cstdlib>
#include <utility>

namespace {

constexpr size_t fileHeaderSize = 14;
constexpr uint32_t minimumInfoSize = 40;
constexpr uint32_t uncompressed = 0; // BI_RGB

uint32_t le16(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8;
}

uint32_t le32(const unsigned char* p)
{
    return le16(p) | le16(p + 2) << 16;
}

uint32_t rgb(unsigned char red, unsigned char green, unsigned char blue)
{
    return static_cast<uint32_t>(red) << 16 | static_cast<uint32_t>(green) << 8 | blue;
}

} // namespace

bool decodeBmp(const unsigned char* bytes, size_t size, BmpImage& image)
{
    if (!bytes || size < fileHeaderSize + minimumInfoSize || bytes[0] != 'B' || bytes[1] != 'M') {
        return false;
    }
    const uint32_t pixelOffset = le32(bytes + 10);
    const unsigned char* info = bytes + fileHeaderSize;
    const uint32_t infoSize = le32(info);
    const int32_t width = static_cast<int32_t>(le32(info + 4));
    const int32_t storedHeight = static_cast<int32_t>(le32(info + 8));
    const uint32_t bitsPerPixel = le16(info + 14);
    const uint32_t compression = le32(info + 16);
    uint32_t paletteSize = le32(info + 32);

    if (infoSize < minimumInfoSize || compression != uncompressed || width <= 0 || width > maxBmpSide ||
        storedHeight == 0 || storedHeight < -maxBmpSide || storedHeight > maxBmpSide) {
        return false;
    }
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32) {
        return false;
    }
    const bool topDown = storedHeight < 0;
    const int32_t height = std::abs(storedHeight);
    if (bitsPerPixel > 8) {
        paletteSize = 0;
    } else if (paletteSize == 0 || paletteSize > (1u << bitsPerPixel)) {
        paletteSize = 1u << bitsPerPixel;
    }
    // Sizes are below 2^14 each, so every product here fits in 64 bits.
    const uint64_t paletteStart = fileHeaderSize + uint64_t{infoSize};
    const uint64_t rowBytes = (uint64_t{bitsPerPixel} * static_cast<uint64_t>(width) + 31) / 32 * 4;
    if (paletteStart + uint64_t{paletteSize} * 4 > size || pixelOffset < paletteStart ||
        uint64_t{pixelOffset} + rowBytes * static_cast<uint64_t>(height) > size) {
        return false;
    }

    std::vector<uint32_t> palette(paletteSize);
    for (uint32_t i = 0; i < paletteSize; ++i) {
        const unsigned char* entry = bytes + paletteStart + 4 * i; // blue, green, red, reserved
        palette[i] = rgb(entry[2], entry[1], entry[0]);
    }
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        const int32_t storedRow = topDown ? y : height - 1 - y;
        const unsigned char* row = bytes + pixelOffset + rowBytes * static_cast<uint64_t>(storedRow);
        uint32_t* out = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int32_t x = 0; x < width; ++x) {
            if (bitsPerPixel == 24 || bitsPerPixel == 32) {
                const unsigned char* p = row + static_cast<size_t>(x) * (bitsPerPixel / 8);
                out[x] = rgb(p[2], p[1], p[0]);
                continue;
            }
            const uint32_t bitPosition = static_cast<uint32_t>(x) * bitsPerPixel;
            const uint32_t shift = 8 - bitsPerPixel - bitPosition % 8;
            const uint32_t index = (row[bitPosition / 8] >> shift) & ((1u << bitsPerPixel) - 1);
            if (index >= paletteSize) {
                return false;
            }
            out[x] = palette[index];
        }
    }
    image.width = width;
    image.height = height;
    image.pixels = std::move(pixels);
    return true;
}
