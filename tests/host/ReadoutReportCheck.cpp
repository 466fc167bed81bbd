// The percentage a practice run ends with is the read-out the plug-in drew.
// A host run leaves a capture of its window; this program compares the
// capture's read-out with the read-out drawn here by plain GDI showing the
// expected percentage, given as a number or as the host's practice report:
//   readout_report_check [GoogleTest flags] <capture.png> <percentage | report.json>
// The panel lies at the top-left corner of the host's window, so panel
// coordinates are the capture's.
#include "tests/host/ReadoutPicture.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const char* capturePath = nullptr;
const char* shownArgument = nullptr;

std::string readFile(const char* path)
{
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

bool parsePercentage(const char* begin, float& percent)
{
    char* end = nullptr;
    percent = std::strtof(begin, &end);
    return end != begin;
}

// The report's top-level percentage: the first one, before the bars.
bool reportPercentage(const std::string& json, float& percent)
{
    const std::string key = "\"percentage\": ";
    const size_t at = json.find(key);
    return at != std::string::npos && parsePercentage(json.c_str() + at + key.size(), percent);
}

bool expectedPercentage(const std::string& argument, float& percent)
{
    const std::string reportSuffix = ".json";
    const bool isReport = argument.size() > reportSuffix.size() &&
        argument.compare(argument.size() - reportSuffix.size(), reportSuffix.size(), reportSuffix) == 0;
    return isReport ? reportPercentage(readFile(argument.c_str()), percent)
                    : parsePercentage(argument.c_str(), percent);
}

// The read-out writes its value with two decimals.
std::string readoutText(float percent)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(percent));
    return text;
}

class Capture {
public:
    explicit Capture(const char* path) { pixels = stbi_load(path, &width, &height, &channels, 3); }
    ~Capture() { stbi_image_free(pixels); }
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    bool loaded() const { return pixels != nullptr; }
    bool holds(const PanelArea& box) const
    {
        return box.left >= 0 && box.top >= 0 && box.right < width && box.bottom < height;
    }
    COLORREF at(int x, int y) const
    {
        const unsigned char* p = pixels + (static_cast<size_t>(y) * width + x) * 3;
        return RGB(p[0], p[1], p[2]);
    }

private:
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* pixels = nullptr;
};

std::string hex(COLORREF colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

// Pixels of the read-out's box that differ between the capture and the
// read-out drawn showing `text`; `first` describes the first of them.
int differences(const Capture& capture, const std::string& text, std::string& first)
{
    const ReadoutPicture picture(text);
    if (!picture.drawn()) {
        first = "GDI could not draw \"" + text + "\"";
        return -1;
    }
    const PanelArea& box = ReadoutPicture::box;
    int count = 0;
    for (int y = box.top; y <= box.bottom; ++y) {
        for (int x = box.left; x <= box.right; ++x) {
            if (capture.at(x, y) == picture.at(x, y))
                continue;
            if (count++ == 0)
                first = "at (" + std::to_string(x) + ", " + std::to_string(y) + ") the capture has " +
                    hex(capture.at(x, y)) + ", \"" + text + "\" has " + hex(picture.at(x, y));
        }
    }
    return count;
}

TEST(ReadoutReportCheck, TheReportsPercentageIsWhatThePanelShows)
{
    ASSERT_TRUE(capturePath && shownArgument) << "usage: readout_report_check <capture.png> <percentage | report.json>";
    float percent = 0.0f;
    ASSERT_TRUE(expectedPercentage(shownArgument, percent)) << shownArgument << " holds no percentage";
    const Capture capture(capturePath);
    ASSERT_TRUE(capture.loaded()) << capturePath;
    ASSERT_TRUE(capture.holds(ReadoutPicture::box)) << capturePath << " is too small to hold the read-out";

    const std::string shown = readoutText(percent);
    ASSERT_GT(ReadoutPicture(shown).textPixels(), 0) << "no text was drawn for " << shown;
    std::string first;
    EXPECT_EQ(differences(capture, shown, first), 0) << "the read-out does not show " << shown << ": " << first;
    // The comparison tells read-outs apart: a hundredth more is another picture.
    const std::string neighbour = readoutText(percent + 0.01f);
    EXPECT_GT(differences(capture, neighbour, first), 0) << "the capture would pass for " << neighbour << " too";
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc == 3) {
        capturePath = argv[1];
        shownArgument = argv[2];
    }
    return RUN_ALL_TESTS();
}
