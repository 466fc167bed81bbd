// The Linux plug-in's editor as a Linux host shows it: QarnViewer.so loaded
// with dlopen, its editor opened in a window of the host's (the X11 window id
// in effEditOpen's pointer), driven by effEditIdle, pressed through XTest and
// judged by pictures of the screen, on Xvfb.
// GoogleTest first: Xlib's macros (None, Bool, ...) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <dirent.h>
#include <unistd.h>

#include <cstdint>
#include <deque>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include "editor/PanelLayout.h"
#include "framework/Vst2Abi.h"
#include "gui/BmpImage.h"
#include "tests/library/PluginLibrary.h"
#include "tests/support/MidiBlock.h"
#include "tests/support/StressHost.h"
#include "tests/x11/X11Host.h"

namespace {

constexpr int editorWidth = 700;
constexpr int editorHeight = 500;

intptr_t VSTCALLBACK hostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

BmpImage loadBitmap(int32_t id)
{
    const std::string name = id == panelBackgroundId ? "panel_background.bmp" : "button_" + std::to_string(id) + ".bmp";
    std::ifstream file(std::string(QARN_RESOURCES_DIR) + "/" + name, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    BmpImage image;
    decodeBmp(bytes.data(), bytes.size(), image);
    return image;
}

// The picture a part of a bitmap leaves at (x, y): `rows` rows from `fromRow`,
// cut at the canvas's right edge (the panel window is narrower than its
// rightmost buttons reach).
void paste(std::vector<uint32_t>& canvas, int canvasWidth, const BmpImage& image, int x, int y, int fromRow, int rows)
{
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < image.width && x + column < canvasWidth; ++column) {
            canvas[static_cast<size_t>((y + row) * canvasWidth + x + column)] =
                image.pixels[static_cast<size_t>((fromRow + row) * image.width + column)];
        }
    }
}

struct Readout {
    PanelArea area;
    // The inside of the outline, where the text goes.
    bool holdsText(int x, int y) const { return x > area.left && x < area.right && y > area.top && y < area.bottom; }
};

// What the panel shows right after opening, from the files themselves: the
// background, each button's upper picture at its place, the read-out's red
// outline (its inside, text and all, is judged apart).
struct ExpectedPanel {
    ExpectedPanel()
    {
        const BmpImage background = loadBitmap(panelBackgroundId);
        width = background.width;
        height = background.height;
        pixels = background.pixels;
        int lastWidth = 0;
        for (const PanelPlace& place : panelLayout) {
            const BmpImage bitmap = loadBitmap(place.tag);
            upper.push_back(bitmap);
            paste(pixels, width, bitmap, place.x, place.y, 0, bitmap.height / 2);
            lastWidth = bitmap.width;
        }
        readout.area = readoutArea(lastWidth);
        const PanelArea& r = readout.area;
        for (int x = r.left; x <= r.right; ++x) {
            pixels[static_cast<size_t>(r.top * width + x)] = 0xFF0000;
            pixels[static_cast<size_t>(r.bottom * width + x)] = 0xFF0000;
        }
        for (int y = r.top; y <= r.bottom; ++y) {
            pixels[static_cast<size_t>(y * width + r.left)] = 0xFF0000;
            pixels[static_cast<size_t>(y * width + r.right)] = 0xFF0000;
        }
    }
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }

    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    std::vector<BmpImage> upper; // each button's bitmap, in layout order
    Readout readout;
};

const ExpectedPanel& expectedPanel()
{
    static const ExpectedPanel panel;
    return panel;
}

// The read-out's text as the panel must show it: 11-pixel Arial (its metric
// twin, Liberation Sans) in white on black, centred in the box on the font's
// full height, drawn here with plain Xft.
std::vector<uint32_t> readoutText(Display* display, const char* text)
{
    const PanelArea& r = expectedPanel().readout.area;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int screen = DefaultScreen(display);
    Pixmap pixmap = XCreatePixmap(display, DefaultRootWindow(display), static_cast<unsigned int>(width),
        static_cast<unsigned int>(height), static_cast<unsigned int>(DefaultDepth(display, screen)));
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XSetForeground(display, gc, 0);
    XFillRectangle(display, pixmap, gc, 0, 0, static_cast<unsigned int>(width), static_cast<unsigned int>(height));
    XftDraw* draw = XftDrawCreate(display, pixmap, DefaultVisual(display, screen), DefaultColormap(display, screen));
    XftFont* font = XftFontOpen(display, screen, XFT_FAMILY, XftTypeString, "Arial", XFT_PIXEL_SIZE, XftTypeDouble,
        11.0, XFT_WEIGHT, XftTypeInteger, XFT_WEIGHT_MEDIUM, nullptr);
    XftColor white;
    XRenderColor value{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    XftColorAllocValue(display, DefaultVisual(display, screen), DefaultColormap(display, screen), &value, &white);
    XGlyphInfo extents{};
    const auto* bytes = reinterpret_cast<const FcChar8*>(text);
    const int length = static_cast<int>(std::string(text).size());
    XftTextExtents8(display, font, bytes, length, &extents);
    const int top = (height - (font->ascent + font->descent)) / 2;
    XftDrawString8(draw, &white, font, (width - extents.xOff) / 2, top + font->ascent, bytes, length);
    XImage* image = XGetImage(
        display, pixmap, 0, 0, static_cast<unsigned int>(width), static_cast<unsigned int>(height), AllPlanes, ZPixmap);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu);
    }
    XDestroyImage(image);
    XftColorFree(display, DefaultVisual(display, screen), DefaultColormap(display, screen), &white);
    XftFontClose(display, font);
    XftDrawDestroy(draw);
    XFreeGC(display, gc);
    XFreePixmap(display, pixmap);
    return pixels;
}

// Xvfb starts afresh whenever its last client leaves, and connections made
// meanwhile fail or break: one connection held for the whole run keeps the
// server up between the tests, whose own connections come and go.
class ServerKeeper : public ::testing::Environment {
public:
    void SetUp() override { connection = XOpenDisplay(nullptr); }
    void TearDown() override
    {
        if (connection)
            XCloseDisplay(connection);
    }

private:
    Display* connection = nullptr;
};

const ::testing::Environment* const serverKeeper = ::testing::AddGlobalTestEnvironment(new ServerKeeper);

// Where the view sits in the editor, and the share of its pixels that may
// differ from a reference picture by more than a little in any channel: a few
// edge pixels between Mesa versions, as the view's own reference test allows.
constexpr int viewLeft = 100;
constexpr int viewTop = 100;
constexpr int viewWidth = 600;
constexpr int viewHeight = 400;

struct Reference {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

Reference loadReference(int program)
{
    const std::string path = std::string(QARN_REFERENCE_DIR) + "/program" + std::to_string(program) + ".png";
    Reference reference;
    int channels = 0;
    unsigned char* rgb = stbi_load(path.c_str(), &reference.width, &reference.height, &channels, 3);
    if (!rgb)
        return Reference{};
    for (int i = 0; i < reference.width * reference.height; ++i)
        reference.pixels.push_back(
            static_cast<uint32_t>(rgb[3 * i]) << 16 | static_cast<uint32_t>(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2]);
    stbi_image_free(rgb);
    return reference;
}

bool near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (difference > tolerance || difference < -tolerance)
            return false;
    }
    return true;
}

bool writePicture(const std::string& path, const ScreenPicture& picture)
{
    std::vector<unsigned char> rgb;
    for (uint32_t pixel : picture.pixels) {
        rgb.push_back(static_cast<unsigned char>(pixel >> 16));
        rgb.push_back(static_cast<unsigned char>(pixel >> 8));
        rgb.push_back(static_cast<unsigned char>(pixel));
    }
    return stbi_write_png(path.c_str(), picture.width, picture.height, 3, rgb.data(), picture.width * 3) != 0;
}

int openFileCount()
{
    int count = 0;
    if (DIR* folder = opendir("/proc/self/fd")) {
        while (readdir(folder))
            ++count;
        closedir(folder);
    }
    return count;
}

// One instance of the plug-in with its editor in a host window.
struct Instance {
    AEffect* effect = nullptr;
    Window window = 0;
    int left = 0;
    int top = 0;

    intptr_t dispatch(int32_t opcode, intptr_t value = 0, void* ptr = nullptr) const
    {
        return effect->dispatcher(effect, opcode, 0, value, ptr, 0);
    }
};

class X11EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(host.display(), nullptr)
            << "no X display (DISPLAY=" << (getenv("DISPLAY") ? getenv("DISPLAY") : "") << ")";
        pluginMain = pluginEntry(QARN_PLUGIN_FILE, "VSTPluginMain");
        ASSERT_NE(pluginMain, nullptr);
    }
    void TearDown() override
    {
        for (Instance& instance : instances) {
            if (instance.effect) {
                instance.dispatch(effEditClose);
                instance.dispatch(effClose);
            }
        }
    }

    // A new instance with its editor open in a new host window at (left, top).
    Instance& openInstance(int left = 0, int top = 0)
    {
        instances.emplace_back();
        Instance& instance = instances.back();
        instance.effect = pluginMain(hostCallback);
        instance.left = left;
        instance.top = top;
        if (!instance.effect)
            return instance;
        instance.window = host.createWindow(left, top, editorWidth, editorHeight);
        EXPECT_EQ(instance.dispatch(effEditOpen, 0, reinterpret_cast<void*>(instance.window)), 1);
        return instance;
    }

    // Idles every open editor until `done` holds; false if it never does
    // within a generous number of rounds.
    bool idleUntil(const std::function<bool()>& done)
    {
        for (int round = 0; round < 400; ++round) {
            for (Instance& instance : instances) {
                if (instance.effect)
                    instance.dispatch(effEditIdle);
            }
            host.sync();
            if (done())
                return true;
            usleep(5000);
        }
        return false;
    }

    ScreenPicture panelPicture(const Instance& instance)
    {
        return host.capture(instance.left, instance.top, expectedPanel().width, expectedPanel().height);
    }

    // How many panel pixels, the read-out's inside aside, differ from the
    // expected picture with `pressed` buttons (layout indexes) showing their
    // lower picture.
    int wrongPixels(const Instance& instance, const std::vector<size_t>& pressed = {})
    {
        const ExpectedPanel& expected = expectedPanel();
        std::vector<uint32_t> pixels = expected.pixels;
        for (size_t index : pressed) {
            const BmpImage& bitmap = expected.upper[index];
            paste(pixels, expected.width, bitmap, panelLayout[index].x, panelLayout[index].y, bitmap.height / 2,
                bitmap.height / 2);
        }
        const ScreenPicture picture = panelPicture(instance);
        int wrong = 0;
        for (int y = 0; y < expected.height; ++y) {
            for (int x = 0; x < expected.width; ++x) {
                const uint32_t shown = picture.at(instance.left + x, instance.top + y);
                const uint32_t wanted = pixels[static_cast<size_t>(y * expected.width + x)];
                if (expected.readout.holdsText(x, y) || shown == wanted)
                    continue;
                if (wrong++ == 0) {
                    char where[96];
                    std::snprintf(where, sizeof where, "first at (%d, %d): %06x, not %06x", x, y, shown, wanted);
                    firstWrong = where;
                }
            }
        }
        return wrong;
    }

    bool showsReadout(const Instance& instance, const char* text)
    {
        const std::vector<uint32_t> expected = readoutText(host.display(), text);
        const PanelArea& r = expectedPanel().readout.area;
        const ScreenPicture picture = panelPicture(instance);
        for (int y = r.top + 1; y < r.bottom; ++y) {
            for (int x = r.left + 1; x < r.right; ++x) {
                if (picture.at(instance.left + x, instance.top + y) !=
                    expected[static_cast<size_t>((y - r.top) * (r.right - r.left) + (x - r.left))])
                    return false;
            }
        }
        return true;
    }

    void press(const Instance& instance, size_t index, unsigned int button)
    {
        const PanelPlace& place = panelLayout[index];
        const BmpImage& bitmap = expectedPanel().upper[index];
        host.click(instance.left + place.x + bitmap.width / 2, instance.top + place.y + bitmap.height / 4, button);
    }

    size_t indexOf(int32_t tag) const
    {
        for (size_t i = 0; i < std::size(panelLayout); ++i) {
            if (panelLayout[i].tag == tag)
                return i;
        }
        return 0;
    }

    X11Host host;
    std::string firstWrong; // of the last wrongPixels that found any
    PluginMain pluginMain = nullptr;
    std::deque<Instance> instances; // references to its elements stay valid as it grows
};

TEST_F(X11EditorTest, ThePanelIsAChildOfTheHostsWindowAboveItsSiblings)
{
    Instance& editor = openInstance();
    ASSERT_NE(editor.effect, nullptr);
    ASSERT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
    const std::vector<ChildWindow> children = host.children(editor.window);
    ASSERT_FALSE(children.empty());
    const ChildWindow& panel = children.back(); // the top of the stack
    EXPECT_EQ(panel.x, 0);
    EXPECT_EQ(panel.y, 0);
    EXPECT_EQ(panel.width, expectedPanel().width);
    EXPECT_EQ(panel.height, expectedPanel().height);
    EXPECT_TRUE(panel.mapped);
    // The view lies below it, where it lies on Windows.
    ASSERT_EQ(children.size(), 2u);
    const ChildWindow& view = children.front();
    EXPECT_EQ(view.x, viewLeft);
    EXPECT_EQ(view.y, viewTop);
    EXPECT_EQ(view.width, viewWidth);
    EXPECT_EQ(view.height, viewHeight);
    EXPECT_TRUE(view.mapped);
}

// The view's pictures on the screen, with the panel over its corner, against
// the pictures the off-screen build approved: both are Mesa's.
TEST_F(X11EditorTest, EveryProgramShowsTheApprovedPictureBesideThePanel)
{
    Instance& editor = openInstance();
    ASSERT_NE(editor.effect, nullptr);
    ASSERT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
    // Earlier presses turned the camera: back to the start.
    press(editor, indexOf(TagReset), Button1);
    const ExpectedPanel& panel = expectedPanel();
    for (int program = 0; program < 5; ++program) {
        SCOPED_TRACE("program " + std::to_string(program));
        const Reference reference = loadReference(program);
        ASSERT_EQ(reference.width, viewWidth);
        ASSERT_EQ(reference.height, viewHeight);
        editor.dispatch(effSetProgram, program);
        double share = 1.0;
        const bool matched = idleUntil([&] {
            const ScreenPicture picture =
                host.capture(editor.left + viewLeft, editor.top + viewTop, viewWidth, viewHeight);
            int differing = 0;
            int compared = 0;
            for (int y = 0; y < viewHeight; ++y) {
                for (int x = 0; x < viewWidth; ++x) {
                    if (viewLeft + x < panel.width && viewTop + y < panel.height)
                        continue; // under the panel
                    ++compared;
                    if (!near(picture.at(editor.left + viewLeft + x, editor.top + viewTop + y),
                            reference.pixels[static_cast<size_t>(y * viewWidth + x)], 24))
                        ++differing;
                }
            }
            share = static_cast<double>(differing) / compared;
            return share < 0.0003;
        });
        EXPECT_TRUE(matched) << share << " of the view's pixels differ";
        // The README's picture of the editor: the default program.
        const char* path = getenv("QARN_EDITOR_PICTURE");
        if (path && program == 3) {
            EXPECT_TRUE(writePicture(path, host.capture(editor.left, editor.top, editorWidth, editorHeight)));
        }
    }
    EXPECT_EQ(wrongPixels(editor, {indexOf(TagReset)}), 0);
    press(editor, indexOf(TagReset), Button1);
    editor.dispatch(effSetProgram, 3);
}

TEST_F(X11EditorTest, ThePanelShowsEveryBitmapAtItsPlaceAndTheReadoutAtZero)
{
    Instance& editor = openInstance(30, 20);
    ASSERT_NE(editor.effect, nullptr);
    EXPECT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }))
        << wrongPixels(editor) << " pixels differ, " << firstWrong;
    EXPECT_TRUE(showsReadout(editor, "0.00"));
}

TEST_F(X11EditorTest, EveryButtonFlipsItsPictureWithEitherMouseButtonAndTheMiddleOneDoesNothing)
{
    Instance& editor = openInstance();
    ASSERT_NE(editor.effect, nullptr);
    ASSERT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
    for (size_t index = 0; index < std::size(panelLayout); ++index) {
        const int32_t tag = panelLayout[index].tag;
        press(editor, index, Button2);
        press(editor, index, Button1);
        EXPECT_TRUE(idleUntil([&] { return wrongPixels(editor, {index}) == 0; })) << "left press on " << tag;
        press(editor, index, Button3);
        EXPECT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; })) << "right press on " << tag;
    }
    // Each button was pressed twice: every toggle is back where it was, and
    // the practice mode is off again.
}

TEST_F(X11EditorTest, PracticeStartedOnThePanelScoresTheNotesAndTheReadoutShowsIt)
{
    Instance& editor = openInstance();
    ASSERT_NE(editor.effect, nullptr);
    ASSERT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
    press(editor, indexOf(TagPractice), Button1);
    ASSERT_TRUE(idleUntil([&] { return wrongPixels(editor, {indexOf(TagPractice)}) == 0; }));
    MidiBlock block;
    block.noteOn(0, 60, 100).noteOn(15, 60, 100).noteOn(0, 64, 100);
    editor.dispatch(effProcessEvents, 0, block.events());
    EXPECT_TRUE(idleUntil([&] { return showsReadout(editor, "50.00"); }));
    press(editor, indexOf(TagPractice), Button1); // practice off again, for the tests after this one
    press(editor, indexOf(TagReset), Button1);
    EXPECT_TRUE(idleUntil([&] { return wrongPixels(editor, {indexOf(TagReset)}) == 0; }));
}

TEST_F(X11EditorTest, KeysAndTheFocusStayWithTheHost)
{
    Instance& editor = openInstance();
    ASSERT_NE(editor.effect, nullptr);
    ASSERT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
    host.setFocus(editor.window);
    host.takeKeyPresses();
    press(editor, indexOf(TagSpin), Button1);
    ASSERT_TRUE(idleUntil([&] { return wrongPixels(editor, {indexOf(TagSpin)}) == 0; }));
    EXPECT_EQ(host.focus(), editor.window);
    host.typeKey(XK_space); // the pointer is still over the panel
    idleUntil([] { return false; });
    EXPECT_EQ(host.takeKeyPresses(), 1);
    EXPECT_EQ(editor.dispatch(effEditKeyDown, XK_space), 0);
    press(editor, indexOf(TagSpin), Button1);
    EXPECT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
}

TEST_F(X11EditorTest, AnAreaUncoveredAgainIsRedrawn)
{
    Instance& editor = openInstance();
    ASSERT_NE(editor.effect, nullptr);
    ASSERT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
    const Window cover = host.createWindow(20, 20, 300, 300);
    ASSERT_GT(wrongPixels(editor), 0);
    host.destroyWindow(cover);
    EXPECT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
    EXPECT_TRUE(showsReadout(editor, "0.00"));
}

TEST_F(X11EditorTest, OpenAndCloseAnyNumberOfTimesLeaveNoWindowOrConnectionBehind)
{
    Instance& editor = openInstance();
    ASSERT_NE(editor.effect, nullptr);
    ASSERT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
    editor.dispatch(effEditClose);
    EXPECT_TRUE(host.children(editor.window).empty());
    const int filesAfterOneCycle = openFileCount();
    for (int cycle = 0; cycle < 100; ++cycle) {
        ASSERT_EQ(editor.dispatch(effEditOpen, 0, reinterpret_cast<void*>(editor.window)), 1);
        editor.dispatch(effEditIdle);
        editor.dispatch(effEditClose);
        ASSERT_TRUE(host.children(editor.window).empty()) << "cycle " << cycle;
    }
    EXPECT_EQ(openFileCount(), filesAfterOneCycle);
    ASSERT_EQ(editor.dispatch(effEditOpen, 0, reinterpret_cast<void*>(editor.window)), 1);
    EXPECT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
}

TEST_F(X11EditorTest, TwoInstancesShowTwoPanelsAndEachTakesItsOwnPresses)
{
    Instance& first = openInstance(0, 0);
    Instance& second = openInstance(720, 0);
    ASSERT_NE(first.effect, nullptr);
    ASSERT_NE(second.effect, nullptr);
    ASSERT_TRUE(idleUntil([&] { return wrongPixels(first) == 0 && wrongPixels(second) == 0; }));
    const size_t highlight = indexOf(TagHighlight);
    press(second, highlight, Button1);
    EXPECT_TRUE(idleUntil([&] { return wrongPixels(second, {highlight}) == 0; }));
    EXPECT_EQ(wrongPixels(first), 0);

    first.dispatch(effEditClose);
    EXPECT_TRUE(host.children(first.window).empty());
    press(second, highlight, Button3);
    EXPECT_TRUE(idleUntil([&] { return wrongPixels(second) == 0; }));
}

TEST_F(X11EditorTest, AHostThatDestroysItsWindowBeforeClosingLosesNothing)
{
    Instance& editor = openInstance();
    ASSERT_NE(editor.effect, nullptr);
    ASSERT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
    host.destroyWindow(editor.window);
    for (int i = 0; i < 5; ++i)
        editor.dispatch(effEditIdle);
    editor.dispatch(effEditClose);

    // Destroyed between two idles, too: the close then finds the window gone.
    editor.window = host.createWindow(0, 0, editorWidth, editorHeight);
    ASSERT_EQ(editor.dispatch(effEditOpen, 0, reinterpret_cast<void*>(editor.window)), 1);
    host.destroyWindow(editor.window);
    editor.dispatch(effEditClose);

    editor.window = host.createWindow(0, 0, editorWidth, editorHeight);
    ASSERT_EQ(editor.dispatch(effEditOpen, 0, reinterpret_cast<void*>(editor.window)), 1);
    EXPECT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
}

TEST_F(X11EditorTest, AWindowIdThatNamesNoWindowOpensNothingAndHarmsNothing)
{
    Instance& editor = openInstance();
    ASSERT_NE(editor.effect, nullptr);
    editor.dispatch(effEditClose);
    EXPECT_EQ(editor.dispatch(effEditOpen, 0, reinterpret_cast<void*>(uintptr_t{0x7FFFFFF0})), 1);
    editor.dispatch(effEditIdle);
    editor.dispatch(effEditClose);
    ASSERT_EQ(editor.dispatch(effEditOpen, 0, reinterpret_cast<void*>(editor.window)), 1);
    EXPECT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
}

// Last, since it leaves the arrows turned: a host's processing thread plays
// hostile blocks and program changes while the user-interface thread presses
// every button, idles, and closes and reopens the editor (built with
// ThreadSanitizer in build/tsan, where a race fails the run).
TEST_F(X11EditorTest, AProcessingThreadPlaysWhileTheEditorIsPressedClosedAndReopened)
{
    Instance& editor = openInstance();
    ASSERT_NE(editor.effect, nullptr);
    editor.dispatch(effMainsChanged, 1);
    ASSERT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
    constexpr int rounds = 13 * 8; // each button pressed an even number of times
    ProcessingThread processing(editor.effect, 0x5EED11u, true);
    for (int round = 0; round < rounds; ++round) {
        processing.waitForBlocks(round + 1);
        press(editor, static_cast<size_t>(round % 13), round % 2 == 0 ? Button1 : Button3);
        for (int i = 0; i < 3; ++i)
            editor.dispatch(effEditIdle);
        if (round % 26 == 25) {
            editor.dispatch(effEditClose);
            ASSERT_EQ(editor.dispatch(effEditOpen, 0, reinterpret_cast<void*>(editor.window)), 1);
        }
    }
    processing.stop();
    editor.dispatch(effEditClose);
    ASSERT_EQ(editor.dispatch(effEditOpen, 0, reinterpret_cast<void*>(editor.window)), 1);
    EXPECT_TRUE(idleUntil([&] { return wrongPixels(editor) == 0; }));
    EXPECT_GE(processing.blocksSent(), rounds);
}

} // namespace
