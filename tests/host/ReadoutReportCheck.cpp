// The percentage in a practice report is the read-out the plug-in drew. A
// host run leaves its report and a capture of its window taken at the end
// (QARN_PRACTICE_REPORT, QARN_PRACTICE_CAPTURE); this program opens the real
// editor, has its read-out show the report's number and compares the pixels.
#include "editor/ViewerEditor.h"
#include "framework/EffectBase.h"
#include "gui/ValueDisplay.h"
#include "gui/ModuleHandle.h"
#include "plugin/VstEntry.h"
#include "tests/support/FakeHost.h"
#include "tests/support/PluginStateReset.h"
#include "tests/support/Win32Window.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string readFile(const char* path)
{
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

// The report's top-level percentage: the first one, before the bars.
bool reportPercentage(const std::string& json, float& percent)
{
    const std::string key = "\"percentage\": ";
    const size_t at = json.find(key);
    if (at == std::string::npos)
        return false;
    const char* begin = json.c_str() + at + key.size();
    char* end = nullptr;
    percent = std::strtof(begin, &end);
    return end != begin;
}

class Capture {
public:
    explicit Capture(const char* path) { pixels = stbi_load(path, &width, &height, &channels, 3); }
    ~Capture() { stbi_image_free(pixels); }
    bool loaded() const { return pixels != nullptr; }
    COLORREF at(int x, int y) const
    {
        const unsigned char* p = pixels + (static_cast<size_t>(y) * width + x) * 3;
        return RGB(p[0], p[1], p[2]);
    }
    int width = 0;
    int height = 0;

private:
    int channels = 0;
    unsigned char* pixels = nullptr;
};

HWND panelOf(HWND parent)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (std::string(name).rfind("Plugin", 0) == 0)
            return child;
    }
    return nullptr;
}

// Pixels of the read-out that differ between the capture and the panel
// showing `percent`; the panel lies at the corner of the host's window, so
// its coordinates are the capture's.
int differences(AEffect* effect, HWND panel, const Capture& capture, float percent)
{
    scoreDisplay->setValue(percent);
    effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0);
    pumpMessages();
    repaint(panel);
    const Rect area = scoreDisplay->getRect();
    int count = 0;
    for (int y = area.top; y < area.bottom && y < capture.height; ++y) {
        for (int x = area.left; x < area.right && x < capture.width; ++x)
            count += clientPixel(panel, x, y) != capture.at(x, y) ? 1 : 0;
    }
    return count;
}

TEST(ReadoutReportCheck, TheReportsPercentageIsWhatThePanelShows)
{
    const char* reportPath = std::getenv("QARN_PRACTICE_REPORT");
    const char* capturePath = std::getenv("QARN_PRACTICE_CAPTURE");
    ASSERT_TRUE(reportPath && capturePath) << "set QARN_PRACTICE_REPORT and QARN_PRACTICE_CAPTURE";
    float percent = 0.0f;
    ASSERT_TRUE(reportPercentage(readFile(reportPath), percent)) << reportPath << " holds no percentage";
    const Capture capture(capturePath);
    ASSERT_TRUE(capture.loaded()) << capturePath;

    setModuleInstance(GetModuleHandleA(nullptr));
    resetPluginState();
    FakeHost host;
    host.answer(audioMasterVersion, 2400);
    AEffect* effect = vstMain(FakeHost::callback);
    ASSERT_NE(effect, nullptr);
    TestWindow window(700, 500);
    ASSERT_EQ(effect->dispatcher(effect, effEditOpen, 0, 0, window.handle(), 0), 1);
    pumpMessages();
    const HWND panel = panelOf(window.handle());
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(scoreDisplay, nullptr);

    EXPECT_EQ(differences(effect, panel, capture, percent), 0) << "the read-out does not show " << percent;
    // The comparison tells read-outs apart: a hundredth more is another picture.
    EXPECT_GT(differences(effect, panel, capture, percent + 0.01f), 0);

    effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0);
}

} // namespace
