// The BMP decoder the toolkit draws its bitmaps with where the platform has
// no bitmap resources: the kinds of file it reads, row order and padding,
// and the malformed files it must refuse without reading past their end.
#include "gui/BitmapFiles.h"
#include "gui/BmpImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

void put16(std::vector<unsigned char>& bytes, size_t at, uint32_t value)
{
    bytes[at] = static_cast<unsigned char>(value);
    bytes[at + 1] = static_cast<unsigned char>(value >> 8);
}

void put32(std::vector<unsigned char>& bytes, size_t at, uint32_t value)
{
    put16(bytes, at, value & 0xFFFF);
    put16(bytes, at + 2, value >> 16);
}

// A BMP file with a 40-byte header, `palette` (0x00RRGGBB each) and `rows`
// as stored (each already padded to four bytes), first stored row first.
std::vector<unsigned char> bmpFile(int32_t width, int32_t height, uint32_t bitsPerPixel,
    const std::vector<uint32_t>& palette, const std::vector<std::vector<unsigned char>>& rows)
{
    const uint32_t pixelOffset = 14 + 40 + 4 * static_cast<uint32_t>(palette.size());
    std::vector<unsigned char> bytes(pixelOffset);
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 10, pixelOffset);
    put32(bytes, 14, 40);
    put32(bytes, 18, static_cast<uint32_t>(width));
    put32(bytes, 22, static_cast<uint32_t>(height));
    put16(bytes, 26, 1);
    put16(bytes, 28, bitsPerPixel);
    put32(bytes, 46, static_cast<uint32_t>(palette.size()));
    for (size_t i = 0; i < palette.size(); ++i) {
        bytes[54 + 4 * i] = static_cast<unsigned char>(palette[i]); // blue
        bytes[55 + 4 * i] = static_cast<unsigned char>(palette[i] >> 8);
        bytes[56 + 4 * i] = static_cast<unsigned char>(palette[i] >> 16);
    }
    for (const auto& row : rows)
        bytes.insert(bytes.end(), row.begin(), row.end());
    put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    return bytes;
}

constexpr uint32_t red = 0xFF0000;
constexpr uint32_t green = 0x00FF00;
constexpr uint32_t blue = 0x0000FF;
constexpr uint32_t white = 0xFFFFFF;

TEST(BmpImage, FourBitRowsStoredBottomUpComeOutTopDownWithoutTheirPadding)
{
    // 3 x 2: the stored first row is the bottom one; each row is padded to 4 bytes.
    const auto file = bmpFile(3, 2, 4, {red, green, blue, white}, {{0x32, 0x10, 0, 0}, {0x01, 0x20, 0, 0}});
    BmpImage image;
    ASSERT_TRUE(decodeBmp(file.data(), file.size(), image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{red, green, blue, white, blue, green}));
}

TEST(BmpImage, EightOneTwentyFourAndThirtyTwoBitFilesAndTopDownRows)
{
    BmpImage image;
    const auto eight = bmpFile(2, -2, 8, {red, green, blue}, {{2, 0, 0, 0}, {1, 1, 0, 0}}); // top-down
    ASSERT_TRUE(decodeBmp(eight.data(), eight.size(), image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{blue, red, green, green}));

    const auto one = bmpFile(9, 1, 1, {red, white}, {{0x80, 0x80, 0, 0}});
    ASSERT_TRUE(decodeBmp(one.data(), one.size(), image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{white, red, red, red, red, red, red, red, white}));

    const auto twentyFour = bmpFile(1, 2, 24, {}, {{0x01, 0x02, 0x03, 0}, {0xFF, 0, 0, 0}});
    ASSERT_TRUE(decodeBmp(twentyFour.data(), twentyFour.size(), image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{blue, 0x030201}));

    const auto thirtyTwo = bmpFile(2, 1, 32, {}, {{0, 0, 0xFF, 0x7F, 0xFF, 0, 0, 0}});
    ASSERT_TRUE(decodeBmp(thirtyTwo.data(), thirtyTwo.size(), image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{red, blue}));
}

TEST(BmpImage, MalformedFilesAreRefusedAndLeaveTheImageAlone)
{
    const auto good = bmpFile(3, 2, 4, {red, green, blue, white}, {{0x32, 0x10, 0, 0}, {0x01, 0x20, 0, 0}});
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
    };
    std::vector<Case> cases;
    auto changed = [&](const char* what, auto change) {
        std::vector<unsigned char> bytes = good;
        change(bytes);
        cases.push_back({what, bytes});
    };
    changed("not a BMP", [](auto& b) { b[0] = 'X'; });
    changed("a pixel row short", [](auto& b) { b.resize(b.size() - 1); });
    changed("compressed", [](auto& b) { put32(b, 30, 2); });
    changed("16 bits per pixel", [](auto& b) { put16(b, 28, 16); });
    changed("no width", [](auto& b) { put32(b, 18, 0); });
    changed("negative width", [](auto& b) { put32(b, 18, static_cast<uint32_t>(-3)); });
    changed("no height", [](auto& b) { put32(b, 22, 0); });
    changed("a giant height", [](auto& b) { put32(b, 22, 0x7FFFFFFF); });
    changed("the most negative height", [](auto& b) { put32(b, 22, 0x80000000u); });
    changed("an index past the palette", [](auto& b) { b[b.size() - 8] = 0x37; });
    changed("pixels inside the palette", [](auto& b) { put32(b, 10, 20); });
    changed("pixels past the end", [](auto& b) { put32(b, 10, 0xFFFFFFF0u); });
    changed("a header too small", [](auto& b) { put32(b, 14, 12); });
    changed("a header past the end", [](auto& b) { put32(b, 14, 0xFFFFFF00u); });
    cases.push_back({"empty", {}});
    cases.push_back({"only the file header", std::vector<unsigned char>(good.begin(), good.begin() + 14)});

    for (const Case& c : cases) {
        BmpImage image;
        image.width = 5;
        EXPECT_FALSE(decodeBmp(c.bytes.data(), c.bytes.size(), image)) << c.what;
        EXPECT_EQ(image.width, 5) << c.what;
        EXPECT_TRUE(image.pixels.empty()) << c.what;
    }
    BmpImage image;
    EXPECT_FALSE(decodeBmp(nullptr, 100, image));
}

TEST(BitmapFiles, AreFoundByTheirNumberUntilTheTableIsCleared)
{
    static const unsigned char bytes[] = {'B', 'M'};
    static const BitmapFile table[] = {{128, bytes, 2}, {141, bytes, 1}, {0, nullptr, 0}};
    setBitmapFiles(table);
    EXPECT_EQ(findBitmapFile(141), &table[1]);
    EXPECT_EQ(findBitmapFile(128), &table[0]);
    EXPECT_EQ(findBitmapFile(0), nullptr); // the end marker is no file
    EXPECT_EQ(findBitmapFile(129), nullptr);
    setBitmapFiles(nullptr);
    EXPECT_EQ(findBitmapFile(128), nullptr);
}

} // namespace
