// What a render keeps: its folder of numbered frames, and the display
// options the host switches on for it.
#include "host/driver/DisplayToggles.h"
#include "host/render/FrameSink.h"
#include "host/driver/PanelTargets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

int tagOf(const char* name)
{
    return panelTargetNamed(name)->tag;
}

TEST(DisplayTogglesTest, FollowsPressesOnHighlightAndDepressOnly)
{
    DisplayToggles toggles;
    EXPECT_FALSE(toggles.highlight());
    EXPECT_FALSE(toggles.depress());
    toggles.onPanelPress(tagOf("highlight"));
    toggles.onPanelPress(tagOf("depress"));
    toggles.onPanelPress(tagOf("depress"));
    for (const char* other : {"reset", "linked", "spin", "practice"})
        toggles.onPanelPress(tagOf(other));
    toggles.onPanelPress(0);
    EXPECT_TRUE(toggles.highlight());
    EXPECT_FALSE(toggles.depress());
}

RgbImage picture(uint8_t shade)
{
    RgbImage image;
    image.width = 3;
    image.height = 2;
    image.pixels.assign(18, shade);
    return image;
}

TEST(PngFolderSinkTest, NumberedFramesReplaceAnEarlierRendersOnly)
{
    const fs::path folder = fs::temp_directory_path() / "qarn-png-sink-test" / "frames";
    fs::remove_all(folder.parent_path());
    fs::create_directories(folder);
    for (const char* name : {"frame-000007.png", "frame-7.png", "notes.txt"})
        std::ofstream(folder / name) << "earlier";

    PngFolderSink sink(folder.string());
    std::string error;
    ASSERT_TRUE(sink.prepare(error)) << error;
    EXPECT_FALSE(fs::exists(folder / "frame-000007.png"));
    EXPECT_TRUE(fs::exists(folder / "frame-7.png"));
    EXPECT_TRUE(fs::exists(folder / "notes.txt"));

    ASSERT_TRUE(sink.write(picture(10), error)) << error;
    ASSERT_TRUE(sink.write(picture(200), error)) << error;
    EXPECT_TRUE(sink.finish(error));
    EXPECT_TRUE(fs::file_size(folder / "frame-000000.png") > 8);
    EXPECT_TRUE(fs::file_size(folder / "frame-000001.png") > 8);
    EXPECT_FALSE(fs::exists(folder / "frame-000002.png"));
    EXPECT_EQ(PngFolderSink::frameName(123456), "frame-123456.png");

    // A new folder is made, however deep; a file in the way is an error.
    PngFolderSink deeper((folder / "a" / "b").string());
    EXPECT_TRUE(deeper.prepare(error)) << error;
    PngFolderSink blocked((folder / "notes.txt").string());
    EXPECT_FALSE(blocked.prepare(error));
    EXPECT_NE(error.find("cannot make a folder"), std::string::npos) << error;
    fs::remove_all(folder.parent_path());
}

} // namespace
