// QarnViewer.clap driven as a CLAP host drives it: the entry and its
// factory, an instance's life, notes of both dialects and junk among them,
// the "Instrument" parameter and the view saved in the host's project.
#include "tests/clap/ClapPlugin.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

void setLogVariable(const std::string& file)
{
#ifdef _WIN32
    _putenv_s("QARN_LOG", file.c_str()); // an empty value removes it
#else
    if (file.empty())
        unsetenv("QARN_LOG");
    else
        setenv("QARN_LOG", file.c_str(), 1);
#endif
}

std::string contents(const std::string& file)
{
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<uint8_t> savedState(const ClapInstance& instance)
{
    OutputStream out;
    EXPECT_TRUE(instance.state()->save(instance.plugin, out.stream()));
    return out.bytes;
}

} // namespace

TEST_F(ClapEntryTest, TheEntryOffersItsFactoryOnlyWhileInitialised)
{
    EXPECT_EQ(entry->clap_version.major, 1u);
    EXPECT_EQ(entry->get_factory("clap.preset-discovery-factory"), nullptr);
    EXPECT_EQ(entry->get_factory(nullptr), nullptr);

    // A second init needs a second deinit.
    ASSERT_TRUE(entry->init("QarnViewer.clap"));
    entry->deinit();
    EXPECT_EQ(entry->get_factory(CLAP_PLUGIN_FACTORY_ID), factory);
    entry->deinit();
    EXPECT_EQ(entry->get_factory(CLAP_PLUGIN_FACTORY_ID), nullptr);
    EXPECT_EQ(factory->get_plugin_count(factory), 0u);
    ClapTestHost host;
    EXPECT_EQ(factory->create_plugin(factory, host.record(), "com.qarn.viewer"), nullptr);
    entry->deinit(); // one too many: harmless
    ASSERT_TRUE(entry->init("QarnViewer.clap"));
    EXPECT_EQ(entry->get_factory(CLAP_PLUGIN_FACTORY_ID), factory);
}

TEST_F(ClapEntryTest, TheFactoryDescribesOnePlugInAndMakesNoOther)
{
    ASSERT_EQ(factory->get_plugin_count(factory), 1u);
    EXPECT_EQ(factory->get_plugin_descriptor(factory, 1), nullptr);
    const clap_plugin_descriptor_t* descriptor = factory->get_plugin_descriptor(factory, 0);
    ASSERT_NE(descriptor, nullptr);
    EXPECT_STREQ(descriptor->id, "com.qarn.viewer");
    EXPECT_STREQ(descriptor->name, "Qarn Viewer");
    EXPECT_STREQ(descriptor->vendor, "Qarn");
    EXPECT_STREQ(descriptor->version, "1.0.0");
    ASSERT_NE(descriptor->features, nullptr);
    EXPECT_STREQ(descriptor->features[0], "instrument") << "the kind hosts place where notes arrive";

    ClapTestHost host;
    EXPECT_EQ(factory->create_plugin(factory, host.record(), "com.qarn.viewer.other"), nullptr);
    EXPECT_EQ(factory->create_plugin(factory, host.record(), nullptr), nullptr);
    EXPECT_EQ(factory->create_plugin(factory, nullptr, "com.qarn.viewer"), nullptr);
    ClapInstance instance(factory, host);
    ASSERT_NE(instance.plugin, nullptr);
    EXPECT_EQ(instance.plugin->desc, descriptor);
}

TEST_F(ClapEntryTest, AnInstanceAnswersOnlyInTheOrderHostsCallIt)
{
    ClapTestHost host;
    ClapInstance instance(factory, host);
    const clap_plugin_t* plugin = instance.plugin;
    ASSERT_NE(plugin, nullptr);
    EventList in;
    OutputList out;

    EXPECT_FALSE(plugin->activate(plugin, 48000.0, 1, 512)) << "before init";
    EXPECT_EQ(instance.params()->count(plugin), 0u) << "before init";
    ASSERT_TRUE(plugin->init(plugin));
    EXPECT_FALSE(plugin->init(plugin)) << "a second init";
    EXPECT_FALSE(plugin->start_processing(plugin)) << "before activate";
    EXPECT_EQ(instance.process(in, out), CLAP_PROCESS_ERROR) << "before start_processing";
    ASSERT_TRUE(plugin->activate(plugin, 48000.0, 1, 512));
    ASSERT_TRUE(plugin->start_processing(plugin));
    EXPECT_EQ(instance.process(in, out), CLAP_PROCESS_CONTINUE);
    EXPECT_EQ(plugin->process(plugin, nullptr), CLAP_PROCESS_ERROR);
    plugin->reset(plugin);
    plugin->stop_processing(plugin);
    EXPECT_EQ(instance.process(in, out), CLAP_PROCESS_ERROR) << "after stop_processing";
    plugin->deactivate(plugin);
    ASSERT_TRUE(plugin->activate(plugin, 44100.0, 32, 32)) << "activated again";
    plugin->on_main_thread(plugin);

    for (const char* id : {CLAP_EXT_NOTE_PORTS, CLAP_EXT_PARAMS, CLAP_EXT_GUI, CLAP_EXT_STATE, CLAP_EXT_TIMER_SUPPORT})
        EXPECT_NE(plugin->get_extension(plugin, id), nullptr) << id;
    EXPECT_EQ(plugin->get_extension(plugin, "clap.audio-ports"), nullptr) << "no audio";
    EXPECT_EQ(plugin->get_extension(plugin, nullptr), nullptr);

    const auto* ports = instance.extension<clap_plugin_note_ports_t>(CLAP_EXT_NOTE_PORTS);
    EXPECT_EQ(ports->count(plugin, true), 1u);
    EXPECT_EQ(ports->count(plugin, false), 0u);
    clap_note_port_info_t port{};
    ASSERT_TRUE(ports->get(plugin, 0, true, &port));
    EXPECT_EQ(port.supported_dialects & (CLAP_NOTE_DIALECT_CLAP | CLAP_NOTE_DIALECT_MIDI),
        CLAP_NOTE_DIALECT_CLAP | CLAP_NOTE_DIALECT_MIDI);
    EXPECT_FALSE(ports->get(plugin, 1, true, &port));
    EXPECT_FALSE(ports->get(plugin, 0, false, &port));
    EXPECT_FALSE(ports->get(plugin, 0, true, nullptr));
}

// The diagnostic log counts what reached the MIDI intake.
TEST_F(ClapEntryTest, NotesOfBothDialectsReachTheIntakeAndEverythingElseIsSkipped)
{
    const std::string log = ::testing::TempDir() + "qarn-clap-notes.log";
    std::remove(log.c_str());
    setLogVariable(log);
    {
        ClapTestHost host;
        ClapInstance instance(factory, host);
        setLogVariable("");
        ASSERT_TRUE(instance.start());
        EventList notes;
        notes.noteOn(60).midi(0x93, 64, 100);
        // None of these is a note the intake could take.
        notes.noteOn(128).noteOn(-1).noteOn(60, 16).noteOn(60, -1).missing();
        notes.raw(1, CLAP_EVENT_NOTE_ON, sizeof(clap_event_note_t)); // another space's event
        notes.raw(CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_NOTE_ON, 16); // shorter than a note
        notes.raw(CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, 16); // shorter than MIDI
        notes.raw(CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI_SYSEX, 16);
        notes.raw(CLAP_CORE_EVENT_SPACE_ID, 999, 16);
        OutputList out;
        EXPECT_EQ(instance.process(notes, out), CLAP_PROCESS_CONTINUE);
        EventList releases;
        releases.noteOff(60).midi(0x83, 64, 0).noteOn(62, 13, 0.0).noteOff(62, 13);
        EXPECT_EQ(instance.process(releases, out), CLAP_PROCESS_CONTINUE);
    }
    const std::string line = contents(log);
    EXPECT_NE(line.find("vendor=\"Qarn Tests\" product=\"Test Host\" rate=48000 block=512"), std::string::npos) << line;
    // A CLAP note-on at velocity 0 is still a note-on.
    EXPECT_NE(line.find("events=6 note-ons=3"), std::string::npos) << line;
}

TEST_F(ClapEntryTest, TheInstrumentParameterNamesFiveStepsAndReadsThemBack)
{
    ClapTestHost host;
    ClapInstance instance(factory, host);
    ASSERT_TRUE(instance.plugin->init(instance.plugin));
    const clap_plugin_t* plugin = instance.plugin;
    const clap_plugin_params_t* params = instance.params();
    ASSERT_EQ(params->count(plugin), 1u);
    clap_param_info_t info{};
    ASSERT_TRUE(params->get_info(plugin, 0, &info));
    EXPECT_STREQ(info.name, "Instrument");
    EXPECT_EQ(info.flags & (CLAP_PARAM_IS_STEPPED | CLAP_PARAM_IS_AUTOMATABLE | CLAP_PARAM_IS_READONLY),
        CLAP_PARAM_IS_STEPPED | CLAP_PARAM_IS_AUTOMATABLE);
    EXPECT_EQ(info.min_value, 0.0);
    EXPECT_EQ(info.max_value, 4.0);
    EXPECT_EQ(info.default_value, 3.0);
    EXPECT_FALSE(params->get_info(plugin, 1, &info));
    EXPECT_FALSE(params->get_info(plugin, 0, nullptr));

    std::vector<std::string> names;
    for (int step = 0; step < 5; ++step) {
        char text[64] = "unwritten";
        ASSERT_TRUE(params->value_to_text(plugin, info.id, step + 0.2, text, sizeof text)) << step;
        EXPECT_NE(std::string(text), "") << step;
        for (const std::string& name : names)
            EXPECT_NE(name, text);
        names.push_back(text);
        double value = -1.0;
        EXPECT_TRUE(params->text_to_value(plugin, info.id, text, &value)) << text;
        EXPECT_EQ(value, step) << text;
    }
    char shortText[4] = "xyz";
    ASSERT_TRUE(params->value_to_text(plugin, info.id, 3.0, shortText, sizeof shortText));
    EXPECT_EQ(std::string(shortText), names[3].substr(0, 3)) << "cut short, terminated";
    char text[64];
    for (double value : {-1.0, 4.6, 5.0, double(NAN), double(INFINITY)})
        EXPECT_FALSE(params->value_to_text(plugin, info.id, value, text, sizeof text)) << value;
    EXPECT_FALSE(params->value_to_text(plugin, info.id, 1.0, text, 0));
    EXPECT_FALSE(params->value_to_text(plugin, info.id + 1, 1.0, text, sizeof text));
    double value = -1.0;
    EXPECT_TRUE(params->text_to_value(plugin, info.id, "2", &value));
    EXPECT_EQ(value, 2.0);
    for (const char* wrong : {"", "5", "-1", "2x", " ", "99999999999999999999", "Harpsichord"})
        EXPECT_FALSE(params->text_to_value(plugin, info.id, wrong, &value)) << wrong;
    EXPECT_FALSE(params->text_to_value(plugin, info.id, nullptr, &value));
    EXPECT_FALSE(params->get_value(plugin, info.id + 1, &value));
    EXPECT_FALSE(params->get_value(plugin, info.id, nullptr));
}

TEST_F(ClapEntryTest, TheInstrumentFollowsTheHostsValuesInProcessAndInFlush)
{
    ClapTestHost host;
    ClapInstance instance(factory, host);
    ASSERT_TRUE(instance.start());
    EventList in;
    in.paramValue(0, 1.0).noteOn(60).paramValue(7, 4.0).paramValue(0, 9.0).paramValue(0, NAN);
    OutputList out;
    instance.process(in, out);
    EXPECT_EQ(instance.instrument(), 1.0) << "the other ids and values outside the steps change nothing";
    EXPECT_TRUE(out.values.empty()) << "the host knows its own value";

    instance.plugin->stop_processing(instance.plugin);
    instance.plugin->deactivate(instance.plugin);
    instance.selectInstrument(3.9); // flush, with the instance inactive
    EXPECT_EQ(instance.instrument(), 4.0);
    instance.params()->flush(instance.plugin, nullptr, nullptr);
    EXPECT_EQ(instance.instrument(), 4.0);
    EventList release;
    release.noteOff(60);
    instance.plugin->activate(instance.plugin, 48000.0, 1, 512);
    instance.plugin->start_processing(instance.plugin);
    instance.process(release, out);
}

// The instrument is every instance's: a change through one is news to the
// others' hosts, each told once, again if it could not take the event.
TEST_F(ClapEntryTest, AnInstrumentChosenElsewhereIsSentToTheHost)
{
    ClapTestHost host;
    ClapInstance first(factory, host);
    ClapInstance second(factory, host);
    ASSERT_TRUE(first.start());
    ASSERT_TRUE(second.start());
    first.selectInstrument(2.0);
    EventList none;
    OutputList refusing;
    refusing.acceptsEvents = false;
    second.process(none, refusing);
    OutputList out;
    second.process(none, out);
    ASSERT_EQ(out.values.size(), 1u);
    EXPECT_EQ(out.values[0].param_id, 0u);
    EXPECT_EQ(out.values[0].value, 2.0);
    EXPECT_EQ(out.values[0].header.type, CLAP_EVENT_PARAM_VALUE);
    second.process(none, out);
    EXPECT_EQ(out.values.size(), 1u) << "sent once";
    OutputList firstOut;
    first.process(none, firstOut);
    EXPECT_TRUE(firstOut.values.empty());
}

TEST_F(ClapEntryTest, TheViewSavedByOneInstanceIsRestoredByAnother)
{
    ClapTestHost host;
    ClapInstance saver(factory, host);
    ASSERT_TRUE(saver.plugin->init(saver.plugin));
    saver.selectInstrument(1.0);
    OutputStream trickle(5); // five bytes a call
    ASSERT_TRUE(saver.state()->save(saver.plugin, trickle.stream()));
    ASSERT_EQ(trickle.bytes.size(), 24u);
    EXPECT_EQ(std::string(trickle.bytes.begin(), trickle.bytes.begin() + 4), "QVvw");

    saver.selectInstrument(4.0);
    ClapInstance loader(factory, host);
    ASSERT_TRUE(loader.plugin->init(loader.plugin));
    InputStream in(trickle.bytes, 3);
    ASSERT_TRUE(loader.state()->load(loader.plugin, in.stream()));
    EXPECT_EQ(loader.instrument(), 1.0);
    EXPECT_EQ(host.valueRescans, 1) << "the host reads the restored value";
    EXPECT_EQ(savedState(loader), trickle.bytes);

    OutputStream failing(5, 2);
    EXPECT_FALSE(saver.state()->save(saver.plugin, failing.stream()));
    OutputStream stuck(0);
    EXPECT_FALSE(saver.state()->save(saver.plugin, stuck.stream())) << "a stream that takes nothing";
    EXPECT_FALSE(saver.state()->save(saver.plugin, nullptr));
}

TEST_F(ClapEntryTest, StateThatIsNoWholeRecordOfThisVersionChangesNothing)
{
    ClapTestHost host;
    ClapInstance instance(factory, host);
    ASSERT_TRUE(instance.plugin->init(instance.plugin));
    instance.selectInstrument(2.0);
    const std::vector<uint8_t> good = savedState(instance);
    instance.selectInstrument(0.0);
    const std::vector<uint8_t> before = savedState(instance);

    std::vector<uint8_t> newer = good;
    newer[4] = 2;
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    std::vector<uint8_t> random(24);
    for (size_t i = 0; i < random.size(); ++i)
        random[i] = static_cast<uint8_t>(i * 97 + 13);
    const std::vector<std::vector<uint8_t>> refused{
        {}, {good.begin(), good.end() - 1}, longer, newer, random, std::vector<uint8_t>(4096, 0x51)};
    for (const std::vector<uint8_t>& bytes : refused) {
        InputStream in(bytes, 7);
        EXPECT_FALSE(instance.state()->load(instance.plugin, in.stream())) << bytes.size() << " bytes";
    }
    InputStream failing(good, 5, 3);
    EXPECT_FALSE(instance.state()->load(instance.plugin, failing.stream())) << "a read fails";
    InputStream overstating(good, 5);
    overstating.overstates = true;
    EXPECT_FALSE(instance.state()->load(instance.plugin, overstating.stream())) << "more read than asked for";
    EXPECT_FALSE(instance.state()->load(instance.plugin, nullptr));
    EXPECT_EQ(savedState(instance), before);
    EXPECT_EQ(host.valueRescans, 0);
}

TEST_F(ClapEntryTest, NullsAndCallsFromAnotherThreadGetHarmlessAnswers)
{
    ClapTestHost host;
    host.offersThreadCheck = true;
    ClapInstance instance(factory, host);
    ASSERT_TRUE(instance.plugin->init(instance.plugin));
    const clap_plugin_params_t* params = instance.params();
    const clap_plugin_state_t* state = instance.state();
    const clap_plugin_gui_t* gui = instance.gui();
    double value = 0.0;
    EXPECT_EQ(params->count(nullptr), 0u);
    EXPECT_FALSE(params->get_value(nullptr, 0, &value));
    params->flush(nullptr, nullptr, nullptr);
    OutputStream out;
    EXPECT_FALSE(state->save(nullptr, out.stream()));
    EXPECT_FALSE(gui->create(nullptr, CLAP_WINDOW_API_X11, false));
    gui->destroy(nullptr);
    EXPECT_FALSE(gui->set_parent(nullptr, nullptr));

    host.onMainThread = false;
    EXPECT_FALSE(state->save(instance.plugin, out.stream()));
    InputStream in(out.bytes);
    EXPECT_FALSE(state->load(instance.plugin, in.stream()));
    const char* api = nullptr;
    bool floating = true;
    ASSERT_TRUE(gui->get_preferred_api(instance.plugin, &api, &floating));
    EXPECT_FALSE(gui->create(instance.plugin, api, false));
    host.onMainThread = true;
    ASSERT_TRUE(state->save(instance.plugin, out.stream()));
}
