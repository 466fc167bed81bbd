// The LV2 plug-in as a host drives it, through its descriptor alone: ports
// connected, blocks run with MIDI atoms, what it forwards to its user
// interface read back, its state saved and restored through our own store.
#include "core/SavedView.h"
#include "core/ViewerCore.h"
#include "formats/lv2/Lv2Ports.h"
#include "formats/lv2/ViewRecord.h"
#include "formats/lv2/ViewerDsp.h"
#include "state/NoteTable.h"
#include "tests/lv2/Lv2TestHost.h"
#include "tests/support/PluginStateReset.h"

#include <lv2/atom/atom.h>
#include <lv2/atom/forge.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/midi/midi.h>
#include <lv2/time/time.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>
#include <unistd.h>

namespace {

int velocityOf(int midiNote)
{
    return noteTable.entries[midiNote - lowestTabledNote].velocity.load();
}

std::vector<uint8_t> recordOf(const SavedView& view)
{
    uint8_t bytes[savedViewSize];
    writeSavedView(view, bytes);
    return {bytes, bytes + savedViewSize};
}

// A view unlike the default in every field.
SavedView turnedView()
{
    SavedView view;
    view.instrument = 4;
    view.angleX = 30;
    view.angleY = -40;
    view.spinAngle = 7;
    view.zoom = -3;
    view.showKeyColour = true;
    view.showLinkedKeys = true;
    view.scoringRule = 1;
    return view;
}

class Lv2PluginTest : public ::testing::Test {
protected:
    void SetUp() override { resetPluginState(); }
    void TearDown() override
    {
        for (LV2_Handle instance : instances)
            descriptor->cleanup(instance);
    }

    LV2_Handle instantiate(std::vector<const LV2_Feature*> features)
    {
        features.push_back(nullptr);
        LV2_Handle instance = descriptor->instantiate(descriptor, 48000, "/nowhere/", features.data());
        if (instance)
            instances.push_back(instance);
        return instance;
    }

    // An instance with every port connected to this test's buffers.
    LV2_Handle instance()
    {
        LV2_Handle made = instantiate({map.feature()});
        midiIn.clear(sequenceType);
        viewIn.clear(sequenceType);
        descriptor->connect_port(made, lv2MidiInPort, midiIn.get());
        descriptor->connect_port(made, lv2InstrumentPort, &instrument);
        descriptor->connect_port(made, lv2NotifyPort, notify.get());
        descriptor->connect_port(made, lv2ViewInPort, viewIn.get());
        return made;
    }

    // One block: the inputs as they stand, then emptied; the notify port's
    // events returned.
    std::vector<TestSequence::Event> run(LV2_Handle instance)
    {
        notify.offer();
        descriptor->run(instance, 256);
        midiIn.clear(sequenceType);
        viewIn.clear(sequenceType);
        EXPECT_FALSE(notify.overrun());
        return notify.events();
    }

    void addNote(int64_t frames, std::vector<uint8_t> bytes)
    {
        midiIn.add(frames, midiEvent, bytes.data(), static_cast<uint32_t>(bytes.size()));
    }

    // A time:Position object as hosts send one: the speed as a float, the
    // frame as a long.
    void addPosition(int64_t frames, float speed, int64_t frame)
    {
        alignas(8) uint8_t buffer[128];
        LV2_Atom_Forge forge;
        lv2_atom_forge_init(&forge, static_cast<LV2_URID_Map*>(map.feature()->data));
        lv2_atom_forge_set_buffer(&forge, buffer, sizeof buffer);
        LV2_Atom_Forge_Frame object;
        lv2_atom_forge_object(&forge, &object, 0, map(LV2_TIME__Position));
        lv2_atom_forge_key(&forge, map(LV2_TIME__speed));
        lv2_atom_forge_float(&forge, speed);
        lv2_atom_forge_key(&forge, map(LV2_TIME__frame));
        lv2_atom_forge_long(&forge, frame);
        lv2_atom_forge_pop(&forge, &object);
        const auto& atom = *reinterpret_cast<const LV2_Atom*>(buffer);
        midiIn.add(frames, atom.type, &atom + 1, atom.size);
    }

    const LV2_State_Interface& stateOf(LV2_Handle)
    {
        return *static_cast<const LV2_State_Interface*>(descriptor->extension_data(LV2_STATE__interface));
    }

    std::vector<uint8_t> saved(LV2_Handle instance)
    {
        TestState state;
        EXPECT_EQ(stateOf(instance).save(instance, TestState::store, &state, 0, nullptr), LV2_STATE_SUCCESS);
        EXPECT_EQ(state.properties.size(), 1u);
        return state.properties.empty() ? std::vector<uint8_t>{} : state.properties[0].second.bytes;
    }

    LV2_State_Status restore(LV2_Handle instance, const std::vector<uint8_t>& bytes, LV2_URID type)
    {
        TestState state;
        state.properties.push_back({viewProperty, {bytes, type, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE}});
        return stateOf(instance).restore(instance, TestState::retrieve, &state, 0, nullptr);
    }

    std::vector<uint8_t> defaultView()
    {
        SavedView view;
        EXPECT_TRUE(readSavedView(saved(instantiate({map.feature()})).data(), savedViewSize, view));
        return recordOf(view);
    }

    const LV2_Descriptor* descriptor = viewerDspDescriptor();
    TestUridMap map;
    const LV2_URID sequenceType = map(LV2_ATOM__Sequence);
    const LV2_URID chunk = map(LV2_ATOM__Chunk);
    const LV2_URID midiEvent = map(LV2_MIDI__MidiEvent);
    const LV2_URID viewRequest = map(lv2ViewRequestUri);
    const LV2_URID transportMoved = map(lv2TransportMovedUri);
    const LV2_URID viewProperty = map(lv2ViewPropertyUri);
    TestSequence midiIn;
    TestSequence viewIn;
    TestSequence notify;
    float instrument = 3;
    std::vector<LV2_Handle> instances;
};

TEST_F(Lv2PluginTest, TheEntryAnswersOneDescriptorWithTheStateInterface)
{
    ASSERT_NE(descriptor, nullptr);
    EXPECT_STREQ(descriptor->URI, lv2PluginUri);
    EXPECT_NE(descriptor->extension_data(LV2_STATE__interface), nullptr);
    EXPECT_EQ(descriptor->extension_data(LV2_URID__map), nullptr);
    EXPECT_EQ(instantiate({}), nullptr) << "atom ports need the host's URID map";
}

TEST_F(Lv2PluginTest, NotesReachTheCoreAndAreForwardedInOrderWithTheirTimes)
{
    LV2_Handle plugin = instance();
    run(plugin); // the first block sends the view
    addNote(0, {0x90, 60, 100});
    const uint8_t sysex[] = {0xf0, 0x7e, 0x7f, 0x09, 0x01, 0xf7};
    midiIn.add(5, midiEvent, sysex, sizeof sysex);
    midiIn.add(6, chunk, sysex, 3);
    addNote(10, {0x93, 64, 80});
    addNote(200, {0x80, 60, 0});
    const auto forwarded = run(plugin);

    EXPECT_EQ(velocityOf(60), 0);
    EXPECT_EQ(velocityOf(64), 80);
    ASSERT_EQ(forwarded.size(), 3u) << "only short MIDI messages are forwarded";
    EXPECT_EQ(forwarded[0].frames, 0);
    EXPECT_EQ(forwarded[0].body, (std::vector<uint8_t>{0x90, 60, 100}));
    EXPECT_EQ(forwarded[1].frames, 10);
    EXPECT_EQ(forwarded[1].body, (std::vector<uint8_t>{0x93, 64, 80}));
    EXPECT_EQ(forwarded[2].frames, 200);
    for (const auto& event : forwarded)
        EXPECT_EQ(event.type, midiEvent);
}

// Hosts send a position only when the transport changes; between two it is
// where playback took it, 256 frames a block here.
TEST_F(Lv2PluginTest, TheHostsTransportStartingStoppingOrJumpingReleasesTheHeldKeysHereAndInTheView)
{
    LV2_Handle plugin = instance();
    run(plugin);
    addPosition(0, 1.0f, 48000);
    addNote(0, {0x90, 60, 100});
    EXPECT_EQ(run(plugin).size(), 1u) << "the first position only starts the watch";
    EXPECT_TRUE(run(plugin).empty()) << "playing on";
    addPosition(10, 1.0f, 48000 + 2 * 256 + 10);
    EXPECT_TRUE(run(plugin).empty()) << "a position where playback took it";
    EXPECT_EQ(velocityOf(60), 100);

    addPosition(0, 1.0f, 0);
    addNote(5, {0x90, 64, 90});
    const auto jumped = run(plugin);
    EXPECT_EQ(velocityOf(60), 0) << "a jump back";
    EXPECT_EQ(velocityOf(64), 90) << "the block's own note, after the jump";
    ASSERT_EQ(jumped.size(), 2u);
    EXPECT_EQ(jumped[0].type, transportMoved) << "the view releases its keys before the block's notes";
    EXPECT_TRUE(jumped[0].body.empty());
    EXPECT_EQ(jumped[1].type, midiEvent);

    addPosition(0, 0.0f, 256);
    const auto stopped = run(plugin);
    EXPECT_EQ(velocityOf(64), 0) << "a stop";
    ASSERT_EQ(stopped.size(), 1u);
    EXPECT_EQ(stopped[0].type, transportMoved);
}

TEST_F(Lv2PluginTest, ALongBlockIsReadWholeThoughTheNotifyPortTakesOnlyWhatFits)
{
    // Room for the view (an event of 40 bytes) and nine notes (24 each).
    TestSequence small(8 + 40 + 9 * 24);
    LV2_Handle plugin = instance();
    descriptor->connect_port(plugin, lv2NotifyPort, small.get());
    // Far more events than the intake reads at once, every third no MIDI.
    for (int i = 0; i < 150; ++i) {
        const uint8_t note = static_cast<uint8_t>(21 + i / 3);
        if (i % 3 == 2)
            midiIn.add(i, chunk, &note, 1);
        else
            addNote(i, {0x90, note, static_cast<uint8_t>(1 + i % 3)});
    }
    small.offer();
    descriptor->run(plugin, 256);

    for (int note = 21; note < 71; ++note)
        EXPECT_EQ(velocityOf(note), 2) << note;
    EXPECT_FALSE(small.overrun());
    const auto forwarded = small.events();
    ASSERT_EQ(forwarded.size(), 10u) << "the view, then the notes that fit";
    EXPECT_EQ(forwarded[0].type, chunk);
    EXPECT_EQ(forwarded[9].body, (std::vector<uint8_t>{0x90, 25, 1}));

    midiIn.clear(sequenceType);
    small.offer();
    descriptor->run(plugin, 256);
    EXPECT_TRUE(small.events().empty()) << "the notes that did not fit are not sent later";
}

TEST_F(Lv2PluginTest, TheInstrumentPortSelectsTheInstrumentAndIgnoresWhatIsNone)
{
    LV2_Handle plugin = instance();
    EXPECT_EQ(ViewerCore::selectedInstrument(), ViewerCore::defaultInstrument) << "before any block";
    instrument = 1;
    run(plugin);
    EXPECT_EQ(ViewerCore::selectedInstrument(), 1);
    for (float none : {5.0f, -1.0f, NAN, INFINITY}) {
        instrument = none;
        run(plugin);
        EXPECT_EQ(ViewerCore::selectedInstrument(), 1) << none;
    }
    instrument = 3.9f;
    run(plugin);
    EXPECT_EQ(ViewerCore::selectedInstrument(), 4) << "the nearest whole number";
}

TEST_F(Lv2PluginTest, TheViewTheUserInterfaceSendsIsTheViewSavedAndSentBackWhenAsked)
{
    LV2_Handle plugin = instance();
    const auto first = run(plugin);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].type, chunk);
    EXPECT_EQ(first[0].body, defaultView()) << "a new instance holds the default view, a valid record";

    const auto turned = recordOf(turnedView());
    viewIn.add(0, chunk, turned.data(), savedViewSize);
    EXPECT_TRUE(run(plugin).empty()) << "nothing is sent back unasked";
    EXPECT_EQ(saved(plugin), turned);

    viewIn.add(0, viewRequest, nullptr, 0);
    addNote(3, {0x90, 60, 1});
    const auto answer = run(plugin);
    ASSERT_EQ(answer.size(), 2u);
    EXPECT_EQ(answer[0].type, chunk) << "the view comes before the block's notes";
    EXPECT_EQ(answer[0].frames, 0);
    EXPECT_EQ(answer[0].body, turned);
    EXPECT_TRUE(run(plugin).empty()) << "sent once per request";

    // What is no view of this version is kept out of the saved state.
    auto newer = turned;
    newer[4] = savedViewVersion + 1;
    viewIn.add(0, chunk, newer.data(), savedViewSize);
    viewIn.add(1, chunk, turned.data(), savedViewSize - 1);
    viewIn.add(2, midiEvent, turned.data(), savedViewSize);
    run(plugin);
    EXPECT_EQ(saved(plugin), turned);
}

TEST_F(Lv2PluginTest, ARestoredViewIsSavedAgainAndSentToTheUserInterface)
{
    LV2_Handle first = instance();
    const auto turned = recordOf(turnedView());
    viewIn.add(0, chunk, turned.data(), savedViewSize);
    run(first);

    TestState state;
    ASSERT_EQ(stateOf(first).save(first, TestState::store, &state, 0, nullptr), LV2_STATE_SUCCESS);
    ASSERT_EQ(state.properties.size(), 1u);
    EXPECT_EQ(state.properties[0].first, viewProperty);
    EXPECT_EQ(state.properties[0].second.type, chunk);
    EXPECT_EQ(state.properties[0].second.flags, uint32_t{LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE});

    LV2_Handle second = instance();
    run(second);
    ASSERT_EQ(stateOf(second).restore(second, TestState::retrieve, &state, 0, nullptr), LV2_STATE_SUCCESS);
    EXPECT_EQ(saved(second), turned);
    const auto sent = run(second);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].type, chunk);
    EXPECT_EQ(sent[0].body, turned);
}

TEST_F(Lv2PluginTest, BadStateIsRefusedAndChangesNothing)
{
    LV2_Handle plugin = instance();
    run(plugin);
    const auto before = saved(plugin);
    const auto good = recordOf(turnedView());
    auto newer = good;
    newer[4] = savedViewVersion + 1;
    auto wrongMagic = good;
    wrongMagic[0] = 'X';
    auto noInstrument = good;
    noInstrument[7] = ViewerCore::instrumentCount;
    const std::vector<uint8_t> truncated(good.begin(), good.end() - 1);
    auto longer = good;
    longer.push_back(0);

    EXPECT_EQ(restore(plugin, good, midiEvent), LV2_STATE_ERR_BAD_TYPE);
    for (const auto& bad : {newer, wrongMagic, noInstrument, truncated, longer})
        EXPECT_EQ(restore(plugin, bad, chunk), LV2_STATE_ERR_UNKNOWN);
    TestState empty;
    EXPECT_EQ(stateOf(plugin).restore(plugin, TestState::retrieve, &empty, 0, nullptr), LV2_STATE_ERR_NO_PROPERTY);

    EXPECT_EQ(saved(plugin), before);
    EXPECT_TRUE(run(plugin).empty()) << "a refused state sends the user interface nothing";
}

TEST_F(Lv2PluginTest, TheDiagnosticLineTellsTheRateTheBlockSizeAndTheNotes)
{
    char path[] = "/tmp/qarn-lv2-log-XXXXXX";
    const int file = mkstemp(path);
    ASSERT_GE(file, 0);
    ::close(file);
    setenv("QARN_LOG", path, 1);
    int32_t nominal = 256;
    int32_t largest = 1024;
    const LV2_URID intType = map(LV2_ATOM__Int);
    const LV2_Options_Option options[] = {
        {LV2_OPTIONS_INSTANCE, 0, map(LV2_BUF_SIZE__maxBlockLength), sizeof largest, intType, &largest},
        {LV2_OPTIONS_INSTANCE, 0, map(LV2_BUF_SIZE__nominalBlockLength), sizeof nominal, intType, &nominal},
        {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr},
    };
    const LV2_Feature optionsFeature{LV2_OPTIONS__options, const_cast<LV2_Options_Option*>(options)};
    LV2_Handle plugin = instantiate({map.feature(), &optionsFeature});
    unsetenv("QARN_LOG");
    ASSERT_NE(plugin, nullptr);
    midiIn.clear(sequenceType);
    descriptor->connect_port(plugin, lv2MidiInPort, midiIn.get());
    addNote(0, {0x90, 60, 100});
    addNote(1, {0xb0, 64, 127});
    descriptor->run(plugin, 256); // the other ports left unconnected
    descriptor->cleanup(plugin);
    instances.clear();

    std::ifstream log(path);
    const std::string line(std::istreambuf_iterator<char>(log), {});
    std::remove(path);
    EXPECT_EQ(line, "vendor=\"\" product=\"\" rate=48000 block=256 events=2 note-ons=1 most-held=1\n");
}

TEST(ViewRecordTest, AReaderNeverSeesHalfOfOneRecordAndHalfOfAnother)
{
    SavedView one;
    SavedView other = turnedView();
    uint8_t first[savedViewSize];
    uint8_t second[savedViewSize];
    writeSavedView(one, first);
    writeSavedView(other, second);
    ViewRecord record;
    record.store(first);

    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 200000; ++i)
            record.store(i % 2 ? first : second);
        done = true;
    });
    int torn = 0;
    int reads = 0;
    while (!done || reads < 1000) {
        uint8_t seen[savedViewSize];
        record.load(seen);
        ++reads;
        if (std::memcmp(seen, first, savedViewSize) != 0 && std::memcmp(seen, second, savedViewSize) != 0)
            ++torn;
    }
    writer.join();
    EXPECT_EQ(torn, 0) << "of " << reads << " reads";
}

} // namespace
