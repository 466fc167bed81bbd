// The LV2 user interface as a host drives it, through its descriptor alone,
// in a host window on the X display: what it asks of and sends to the
// plug-in, and how it takes the notes, the view and the instrument the
// plug-in's ports give it.
// GoogleTest before Xlib, whose macros (None) would rename its types.
#include <gtest/gtest.h>

#include "core/SavedView.h"
#include "core/ViewerCore.h"
#include "formats/lv2/Lv2Ports.h"
#include "formats/lv2/ui/ViewerUi.h"
#include "state/NoteTable.h"
#include "tests/lv2/Lv2TestHost.h"
#include "tests/support/PluginStateReset.h"
#include "tests/support/X11TestWindow.h"
#include "view3d/ViewState.h"

#include <lv2/atom/atom.h>
#include <lv2/midi/midi.h>
#include <lv2/ui/ui.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

int velocityOf(int midiNote)
{
    return noteTable.entries[midiNote - lowestTabledNote].velocity.load();
}

// What the user interface wrote to the plug-in's ports.
struct Written {
    uint32_t port;
    uint32_t format;
    LV2_URID type;
    std::vector<uint8_t> body;
};

class Lv2UiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetPluginState();
        ASSERT_TRUE(host.valid());
    }
    void TearDown() override
    {
        if (ui)
            descriptor->cleanup(ui);
    }

    LV2UI_Handle instantiate(std::vector<const LV2_Feature*> features)
    {
        features.push_back(nullptr);
        return descriptor->instantiate(descriptor, lv2PluginUri, "/nowhere/", write, this, &widget, features.data());
    }

    void open()
    {
        ui = instantiate({map.feature(), &parentFeature, &resizeFeature});
        ASSERT_NE(ui, nullptr);
    }

    int idle()
    {
        const auto* interface =
            static_cast<const LV2UI_Idle_Interface*>(descriptor->extension_data(LV2_UI__idleInterface));
        return interface->idle(ui);
    }

    // An atom from the plug-in's notify port, as hosts deliver it.
    void notify(LV2_URID type, const void* body, uint32_t size)
    {
        std::vector<uint8_t> buffer(sizeof(LV2_Atom) + size);
        auto* atom = reinterpret_cast<LV2_Atom*>(buffer.data());
        atom->size = size;
        atom->type = type;
        if (size > 0)
            std::memcpy(atom + 1, body, size);
        descriptor->port_event(ui, lv2NotifyPort, static_cast<uint32_t>(buffer.size()), eventTransfer, buffer.data());
    }

    void setInstrument(float value) { descriptor->port_event(ui, lv2InstrumentPort, sizeof value, 0, &value); }

    static void write(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format, const void* buffer)
    {
        auto& test = *static_cast<Lv2UiTest*>(controller);
        const auto& atom = *static_cast<const LV2_Atom*>(buffer);
        ASSERT_EQ(size, sizeof(LV2_Atom) + atom.size);
        const auto* body = static_cast<const uint8_t*>(LV2_ATOM_BODY_CONST(&atom));
        test.written.push_back({port, format, atom.type, {body, body + atom.size}});
    }

    static int resize(LV2UI_Feature_Handle handle, int width, int height)
    {
        auto& test = *static_cast<Lv2UiTest*>(handle);
        test.announced = {width, height};
        return 0;
    }

    std::vector<uint8_t> shownView()
    {
        uint8_t bytes[savedViewSize];
        ViewerCore::saveView(bytes);
        return {bytes, bytes + savedViewSize};
    }

    X11TestWindow host;
    TestUridMap map;
    const LV2_URID chunk = map(LV2_ATOM__Chunk);
    const LV2_URID eventTransfer = map(LV2_ATOM__eventTransfer);
    const LV2_URID midiEvent = map(LV2_MIDI__MidiEvent);
    const LV2_URID viewRequest = map(lv2ViewRequestUri);
    const LV2UI_Descriptor* descriptor = viewerUiDescriptor();
    LV2_Feature parentFeature{LV2_UI__parent, host.parent()};
    LV2UI_Resize resizer{this, resize};
    LV2_Feature resizeFeature{LV2_UI__resize, &resizer};
    LV2UI_Widget widget = nullptr;
    LV2UI_Handle ui = nullptr;
    std::vector<Written> written;
    std::pair<int, int> announced{0, 0};
};

TEST_F(Lv2UiTest, ItNeedsTheHostsMapAndWindow)
{
    EXPECT_STREQ(descriptor->URI, lv2UiUri);
    EXPECT_NE(descriptor->extension_data(LV2_UI__idleInterface), nullptr);
    EXPECT_EQ(instantiate({map.feature()}), nullptr);
    EXPECT_EQ(instantiate({&parentFeature}), nullptr);
    EXPECT_TRUE(host.children().empty()) << "nothing left in the host's window";
}

TEST_F(Lv2UiTest, ItOpensInAWindowOfItsOwnAndAsksThePluginForItsView)
{
    open();
    const auto children = host.children();
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(widget), children[0]) << "the widget is the window it made";
    Window root;
    int x, y;
    unsigned width, height, border, depth;
    ASSERT_TRUE(XGetGeometry(host.connection(), children[0], &root, &x, &y, &width, &height, &border, &depth));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_GT(width, 100u);
    EXPECT_EQ(announced, std::make_pair(static_cast<int>(width), static_cast<int>(height)))
        << "the size announced is the window's";

    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].port, lv2ViewInPort);
    EXPECT_EQ(written[0].format, eventTransfer);
    EXPECT_EQ(written[0].type, viewRequest);
    EXPECT_TRUE(written[0].body.empty());

    descriptor->cleanup(ui);
    ui = nullptr;
    EXPECT_TRUE(host.children().empty());
}

TEST_F(Lv2UiTest, UntilThePluginAnswersItSendsNoViewOfItsOwn)
{
    open();
    viewState.angleX = 20;
    idle();
    idle();
    EXPECT_EQ(written.size(), 1u) << "the request only: a restored view must not be overwritten";
}

TEST_F(Lv2UiTest, ItShowsThePluginsViewWithThePortsInstrumentAndSendsEachChangeOnce)
{
    open();
    setInstrument(1);
    SavedView restored;
    restored.instrument = 4;
    restored.angleY = 70;
    restored.zoom = -2;
    restored.showKeyMotion = true;
    uint8_t bytes[savedViewSize];
    writeSavedView(restored, bytes);
    notify(chunk, bytes, savedViewSize);

    EXPECT_EQ(viewState.angleY, 70);
    EXPECT_EQ(viewState.zoom, -2);
    EXPECT_TRUE(viewState.showKeyMotion);
    EXPECT_EQ(ViewerCore::selectedInstrument(), 1) << "the instrument port has the last word";
    idle();
    EXPECT_EQ(written.size(), 1u) << "the view just shown is not sent back";

    viewState.showKeyColour = true;
    idle();
    idle();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[1].port, lv2ViewInPort);
    EXPECT_EQ(written[1].type, chunk);
    EXPECT_EQ(written[1].body, shownView());
    EXPECT_EQ(written[1].body[7], 1) << "with the port's instrument";

    setInstrument(2);
    idle();
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[2].body[7], 2);
}

TEST_F(Lv2UiTest, ARefusedViewChangesNothingButStillCountsAsTheAnswer)
{
    open();
    viewState.angleX = 15;
    uint8_t bytes[savedViewSize];
    writeSavedView(SavedView{}, bytes);
    bytes[4] = savedViewVersion + 1;
    notify(chunk, bytes, savedViewSize);
    notify(chunk, bytes, savedViewSize - 1);
    EXPECT_EQ(viewState.angleX, 15);
    idle();
    ASSERT_EQ(written.size(), 2u) << "the view it shows becomes the plug-in's";
    EXPECT_EQ(written[1].body, shownView());
}

TEST_F(Lv2UiTest, NotesFromThePluginReachTheUserInterfacesCore)
{
    open();
    const uint8_t on[] = {0x90, 60, 100};
    const uint8_t sysex[] = {0xf0, 0x7e, 0x7f, 0x09, 0x01, 0xf7};
    notify(midiEvent, on, sizeof on);
    notify(midiEvent, sysex, sizeof sysex);
    EXPECT_EQ(velocityOf(60), 100);

    // An atom claiming more than the host's buffer holds is not read.
    std::vector<uint8_t> buffer(sizeof(LV2_Atom) + 3);
    auto* atom = reinterpret_cast<LV2_Atom*>(buffer.data());
    *atom = {64, midiEvent};
    std::memcpy(atom + 1, on, 3);
    buffer[sizeof(LV2_Atom) + 1] = 64;
    descriptor->port_event(ui, lv2NotifyPort, static_cast<uint32_t>(buffer.size()), eventTransfer, buffer.data());
    EXPECT_EQ(velocityOf(64), 0);
}

TEST_F(Lv2UiTest, WordThatTheTransportMovedReleasesTheHeldKeys)
{
    open();
    const uint8_t on[] = {0x90, 60, 100};
    notify(midiEvent, on, sizeof on);
    notify(map(lv2TransportMovedUri), nullptr, 0);
    EXPECT_EQ(velocityOf(60), 0);
}

TEST_F(Lv2UiTest, TheInstrumentPortSelectsOnlyInstruments)
{
    open();
    setInstrument(0);
    EXPECT_EQ(ViewerCore::selectedInstrument(), 0);
    for (float none : {5.0f, -1.0f, NAN})
        setInstrument(none);
    const double wrongSize = 2;
    descriptor->port_event(ui, lv2InstrumentPort, sizeof wrongSize, 0, &wrongSize);
    EXPECT_EQ(ViewerCore::selectedInstrument(), 0);
}

} // namespace
