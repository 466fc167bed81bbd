// Live MIDI on Linux against a JACK server on the dummy driver (with-jack.sh
// starts one): a stand-in keyboard played into MidiInput, the song sent to a
// JACK port and to FluidSynth, and the lists asked where no server runs.
#include "host/engine/MidiPortChoice.h"
#include "host/engine/MidiPorts.h"
#include "host/linux/SoundSystems.h"

#include <RtMidi.h>
#include <jack/jack.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

using Message = std::vector<uint8_t>;

// Waits end when the awaited thing comes; the deadline only keeps a broken
// run from hanging.
constexpr auto deadline = std::chrono::seconds(30);

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value)
        : name(name)
    {
        const char* old = std::getenv(name);
        hadValue = old != nullptr;
        if (old)
            oldValue = old;
        setenv(name, value, 1);
    }
    ~ScopedEnvironment()
    {
        if (hadValue)
            setenv(name, oldValue.c_str(), 1);
        else
            unsetenv(name);
    }

private:
    const char* name;
    bool hadValue;
    std::string oldValue;
};

// What arrives from another thread, in order.
class Arrivals {
public:
    void add(Message message)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        messages.push_back(std::move(message));
        arrived.notify_all();
    }
    // Everything so far, once at least `count` messages came.
    std::vector<Message> waitFor(size_t count)
    {
        std::unique_lock<std::mutex> lock(mutex);
        arrived.wait_for(lock, deadline, [&] { return messages.size() >= count; });
        return messages;
    }

private:
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<Message> messages;
};

// A keyboard that is not there: a JACK MIDI output of a client of its own.
class StandInKeyboard {
public:
    StandInKeyboard()
        : keys(RtMidi::UNIX_JACK, "qarn_keys_test")
    {
        keys.openVirtualPort("keys");
    }
    void play(const Message& message) { keys.sendMessage(message.data(), message.size()); }

private:
    RtMidiOut keys;
};

// A JACK MIDI input that keeps what reaches it, sysex and all.
class Sink {
public:
    Sink()
        : input(RtMidi::UNIX_JACK, "qarn_sink_test")
    {
        input.ignoreTypes(false, false, false);
        input.setCallback(
            [](double, std::vector<unsigned char>* message, void* arrivals) {
                static_cast<Arrivals*>(arrivals)->add(Message(message->begin(), message->end()));
            },
            &arrivals);
        input.openVirtualPort("in");
    }
    Arrivals arrivals;

private:
    RtMidiIn input;
};

int portNamed(const std::string& wanted, const std::vector<std::string>& names, const char* what)
{
    int index = -1;
    std::string error;
    EXPECT_TRUE(chooseMidiPort(wanted, {what, "--list", names}, index, error)) << error;
    return index;
}

class JackMidiTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(jackServerRuns()) << "no JACK server: run under tests/host/linux/with-jack.sh";
    }
};

TEST_F(JackMidiTest, TheKeyboardsChannelMessagesArriveInOrderAndNothingElse)
{
    StandInKeyboard keyboard;
    const std::vector<std::string> names = MidiInput::portNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "JACK: qarn_keys_test:keys"), names.end());

    Arrivals arrivals;
    MidiInput input;
    std::string error;
    ASSERT_TRUE(input.open(
        portNamed("qarn_keys_test:keys", names, "MIDI input"),
        [&arrivals](uint8_t status, uint8_t data1, uint8_t data2) {
            arrivals.add({status, data1, data2});
        },
        error))
        << error;

    const std::vector<Message> played = {
        {0x90, 60, 100},
        {0xF8}, // clock
        {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}, // sysex: identity request
        {0xFE}, // active sensing
        {0xFA}, // start
        {0xB3, 64, 127},
        {0xC5, 19},
        {0xE0, 0x00, 0x60},
        {0x80, 60, 0},
    };
    for (const Message& message : played)
        keyboard.play(message);
    const std::vector<Message> expected = {
        {0x90, 60, 100}, {0xB3, 64, 127}, {0xC5, 19, 0}, {0xE0, 0x00, 0x60}, {0x80, 60, 0}};
    // The last note-off comes after every system message, so they had their chance to arrive.
    EXPECT_EQ(arrivals.waitFor(expected.size()), expected);
}

TEST_F(JackMidiTest, NoCallReachesTheReceiverAfterClose)
{
    StandInKeyboard keyboard;
    const int port = portNamed("qarn_keys_test:keys", MidiInput::portNames(), "MIDI input");
    std::string error;

    Arrivals first;
    std::atomic<bool> closed{false};
    std::atomic<int> callsAfterClose{0};
    MidiInput input;
    ASSERT_TRUE(input.open(
        port,
        [&](uint8_t status, uint8_t data1, uint8_t data2) {
            if (closed.load())
                ++callsAfterClose;
            first.add({status, data1, data2});
        },
        error))
        << error;
    keyboard.play({0x90, 60, 1});
    ASSERT_EQ(first.waitFor(1).size(), 1u);
    input.close();
    closed.store(true);
    input.close(); // harmless twice

    // A second input on the same keyboard: once it has the next note, the
    // first one would have had it too.
    Arrivals second;
    MidiInput witness;
    ASSERT_TRUE(witness.open(
        port,
        [&second](uint8_t status, uint8_t data1, uint8_t data2) {
            second.add({status, data1, data2});
        },
        error))
        << error;
    keyboard.play({0x90, 61, 1});
    EXPECT_EQ(second.waitFor(1), (std::vector<Message>{{0x90, 61, 1}}));
    EXPECT_EQ(callsAfterClose.load(), 0);
}

TEST_F(JackMidiTest, TheSongReachesAJackPortWhichCloseSilences)
{
    Sink sink;
    const std::vector<std::string> names = MidiOutputPort::portNames();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names[0], "FluidSynth General MIDI synthesizer");

    MidiOutputPort output;
    std::string error;
    ASSERT_TRUE(output.open(portNamed("JACK: qarn_sink_test:in", names, "MIDI output"), error)) << error;
    const uint8_t noteOn[] = {0x92, 64, 90};
    const uint8_t program[] = {0xC2, 40};
    output.send(program, sizeof program);
    output.send(noteOn, sizeof noteOn);
    ASSERT_EQ(sink.arrivals.waitFor(2), (std::vector<Message>{{0xC2, 40}, {0x92, 64, 90}}));

    output.close();
    const std::vector<Message> arrived = sink.arrivals.waitFor(2 + 32);
    std::vector<Message> expected = {{0xC2, 40}, {0x92, 64, 90}};
    for (uint8_t channel = 0; channel < 16; ++channel) {
        expected.push_back({static_cast<uint8_t>(0xB0 | channel), 123, 0});
        expected.push_back({static_cast<uint8_t>(0xB0 | channel), 120, 0});
    }
    EXPECT_EQ(arrived, expected);
    output.send(noteOn, sizeof noteOn); // closed: goes nowhere
    output.close();
}

// send() only queues: the port's own thread makes the device calls. What is
// still queued when the port closes is sent, in order, before the silence.
TEST_F(JackMidiTest, CloseSendsWhatIsQueuedBeforeTheSilence)
{
    Sink sink;
    MidiOutputPort output;
    std::string error;
    ASSERT_TRUE(output.open(portNamed("JACK: qarn_sink_test:in", MidiOutputPort::portNames(), "MIDI output"), error))
        << error;
    std::vector<Message> expected;
    for (uint8_t note = 0; note < 100; ++note) {
        const uint8_t noteOn[] = {0x91, note, static_cast<uint8_t>(note + 1)};
        output.send(noteOn, sizeof noteOn);
        expected.push_back({0x91, note, static_cast<uint8_t>(note + 1)});
    }
    output.close();
    for (uint8_t channel = 0; channel < 16; ++channel) {
        expected.push_back({static_cast<uint8_t>(0xB0 | channel), 123, 0});
        expected.push_back({static_cast<uint8_t>(0xB0 | channel), 120, 0});
    }
    EXPECT_EQ(sink.arrivals.waitFor(expected.size()), expected);
}

// Our own JACK client reading the synthesizer's left channel: the loudest
// sample so far.
class Listener {
public:
    Listener()
    {
        client = jack_client_open("qarn_listener_test", JackNoStartServer, nullptr);
        if (!client)
            return;
        port = jack_port_register(client, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        jack_set_process_callback(client, process, this);
        jack_activate(client);
    }
    ~Listener()
    {
        if (client)
            jack_client_close(client);
    }
    bool listenTo(const char* source) { return client && jack_connect(client, source, "qarn_listener_test:in") == 0; }
    bool hasPort(const char* name) const { return client && jack_port_by_name(client, name) != nullptr; }
    std::atomic<float> loudest{0.0f};

private:
    static int process(jack_nframes_t frames, void* self)
    {
        Listener& listener = *static_cast<Listener*>(self);
        const auto* samples = static_cast<const float*>(jack_port_get_buffer(listener.port, frames));
        float loudest = listener.loudest.load();
        for (jack_nframes_t i = 0; i < frames; ++i)
            loudest = std::max(loudest, std::abs(samples[i]));
        listener.loudest.store(loudest);
        return 0;
    }

    jack_client_t* client = nullptr;
    jack_port_t* port = nullptr;
};

TEST_F(JackMidiTest, TheSynthesizerSoundsThroughJack)
{
    const ScopedEnvironment driver("QARN_AUDIO_DRIVER", "jack");
    MidiOutputPort output;
    std::string error;
    ASSERT_TRUE(output.open(0, error)) << error;

    Listener listener;
    ASSERT_TRUE(listener.listenTo("QarnHost synthesizer:left"));
    EXPECT_EQ(listener.loudest.load(), 0.0f) << "silent before the first note";
    const uint8_t noteOn[] = {0x90, 60, 110};
    output.send(noteOn, sizeof noteOn);
    const auto until = std::chrono::steady_clock::now() + deadline;
    while (listener.loudest.load() == 0.0f && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_GT(listener.loudest.load(), 0.0f);

    output.close();
    EXPECT_FALSE(listener.hasPort("QarnHost synthesizer:left")) << "closed, the synthesizer leaves JACK";
    output.close();
}

TEST(MidiPortsTest, OpeningWhatIsNotThereIsRefusedNamingIt)
{
    std::string error;
    MidiInput input;
    EXPECT_FALSE(input.open(
        4095, [](uint8_t, uint8_t, uint8_t) {}, error));
    EXPECT_EQ(error, "there is no MIDI input device 4095 (see --list-midi-in)");

    MidiOutputPort output;
    const size_t count = MidiOutputPort::portNames().size();
    EXPECT_FALSE(output.open(-1, error));
    EXPECT_EQ(error,
        "MIDI output -1: no such device (there " + (count == 1 ? std::string("is 1") : "are " + std::to_string(count)) +
            "; see --list-midi-out)");

    {
        const ScopedEnvironment font("QARN_SOUND_FONT", "/nonexistent/piano.sf2");
        EXPECT_FALSE(output.open(0, error));
        EXPECT_EQ(error.rfind("MIDI output 0 (FluidSynth General MIDI synthesizer): cannot load the sound font "
                              "/nonexistent/piano.sf2 (",
                      0),
            0u)
            << error;
    }
    {
        const ScopedEnvironment driver("QARN_AUDIO_DRIVER", "gramophone");
        EXPECT_FALSE(output.open(0, error));
        EXPECT_EQ(error.rfind("MIDI output 0 (FluidSynth General MIDI synthesizer): no audio driver started "
                              "(gramophone: ",
                      0),
            0u)
            << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

// Where no JACK server runs (and, here, no /dev/snd): the lists are asked
// without a word on stderr, and no server is started to answer them.
TEST(MidiPortsTest, SystemsThatDoNotAnswerAreLeftOutQuietly)
{
    const ScopedEnvironment server("JACK_DEFAULT_SERVER", "qarn-no-such-server");
    testing::internal::CaptureStderr();
    const std::vector<std::string> inputs = MidiInput::portNames();
    const std::vector<std::string> outputs = MidiOutputPort::portNames();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    for (const std::string& name : inputs)
        EXPECT_EQ(name.rfind("JACK: ", 0), std::string::npos) << name;
    ASSERT_FALSE(outputs.empty());
    EXPECT_EQ(outputs[0], "FluidSynth General MIDI synthesizer");
    for (const std::string& name : outputs)
        EXPECT_EQ(name.rfind("JACK: ", 0), std::string::npos) << name;
    EXPECT_FALSE(jackServerRuns()) << "asking must not start a server";

    // The synthesizer either finds another sound system or says what it tried.
    testing::internal::CaptureStderr();
    MidiOutputPort output;
    std::string error;
    if (!output.open(0, error)) {
        EXPECT_NE(error.find("jack: no JACK server runs"), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
    output.close();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(jackServerRuns()) << "nor trying the synthesizer's drivers";
}

} // namespace
