// qarn_test_keys: a keyboard that is not there, for tests that play live
// notes into the host on a machine without MIDI hardware. It opens a JACK
// MIDI output, waits until something connects to it (the host opening it
// with --midi-in), then plays the notes one after another and ends.
//
//   qarn_test_keys PORT [--hold MS] [--channel N] [--wait SECONDS] NOTE[:VELOCITY]...
//
// PORT is the output's name: JACK lists it as qarn_test_keys:PORT (the host
// as "JACK: qarn_test_keys:PORT"). Each note is held MS milliseconds (250),
// with as long a rest after it, on channel N (1 to 16, 1), at VELOCITY (1 to
// 127, 100). "ready qarn_test_keys:PORT" on standard output says the port is
// there; without a connection within SECONDS (30) it ends with status 1.
#include "host/engine/TextFields.h"
#include "host/linux/SoundSystems.h"

#include <RtMidi.h>
#include <jack/jack.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr const char* clientName = "qarn_test_keys";

struct Note {
    uint8_t key;
    uint8_t velocity;
};

struct Options {
    std::string port;
    int64_t holdMilliseconds = 250;
    int64_t channel = 1;
    int64_t waitSeconds = 30;
    std::vector<Note> notes;
};

bool parseNote(const std::string& text, Note& note)
{
    const size_t colon = text.find(':');
    int64_t key = 0;
    int64_t velocity = 100;
    if (!parseInteger(text.substr(0, colon), 0, 127, key))
        return false;
    if (colon != std::string::npos && !parseInteger(text.substr(colon + 1), 1, 127, velocity))
        return false;
    note = {static_cast<uint8_t>(key), static_cast<uint8_t>(velocity)};
    return true;
}

bool parseOptions(int argc, char** argv, Options& options, std::string& error)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--hold" || arg == "--channel" || arg == "--wait") {
            int64_t* value = arg == "--hold" ? &options.holdMilliseconds
                : arg == "--channel"         ? &options.channel
                                             : &options.waitSeconds;
            const int64_t high = arg == "--channel" ? 16 : 3600000;
            if (i + 1 == args.size() || !parseInteger(args[i + 1], 1, high, *value)) {
                error = arg + " needs a number from 1 to " + std::to_string(high);
                return false;
            }
            ++i;
        } else if (options.port.empty()) {
            options.port = arg;
        } else {
            Note note{};
            if (!parseNote(arg, note)) {
                error = "\"" + arg + "\" is not NOTE (0 to 127) or NOTE:VELOCITY (1 to 127)";
                return false;
            }
            options.notes.push_back(note);
        }
    }
    if (options.port.empty() || options.notes.empty()) {
        error = "usage: qarn_test_keys PORT [--hold MS] [--channel N] [--wait SECONDS] NOTE[:VELOCITY]...";
        return false;
    }
    return true;
}

// Whether anything is connected to our port, asked through a client of our own.
bool waitForConnection(const std::string& fullName, int64_t seconds)
{
    jack_client_t* client = jack_client_open("qarn_test_keys_watch", JackNoStartServer, nullptr);
    if (!client)
        return false;
    bool connected = false;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!connected && std::chrono::steady_clock::now() < until) {
        jack_port_t* port = jack_port_by_name(client, fullName.c_str());
        connected = port && jack_port_connected(port) > 0;
        if (!connected)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    jack_client_close(client);
    return connected;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "qarn_test_keys: %s\n", error.c_str());
        return 2;
    }
    const std::string fullName = std::string(clientName) + ":" + options.port;
    try {
        RtMidiOut keys(RtMidi::UNIX_JACK, clientName);
        keys.openVirtualPort(options.port);
        std::printf("ready %s\n", fullName.c_str());
        std::fflush(stdout);
        if (!waitForConnection(fullName, options.waitSeconds)) {
            std::fprintf(stderr, "qarn_test_keys: nothing connected to %s\n", fullName.c_str());
            return 1;
        }
        awaitJackGraph();
        const auto hold = std::chrono::milliseconds(options.holdMilliseconds);
        const auto channel = static_cast<uint8_t>(options.channel - 1);
        for (const Note& note : options.notes) {
            const uint8_t on[] = {static_cast<uint8_t>(0x90 | channel), note.key, note.velocity};
            const uint8_t off[] = {static_cast<uint8_t>(0x80 | channel), note.key, 0};
            keys.sendMessage(on, sizeof on);
            std::this_thread::sleep_for(hold);
            keys.sendMessage(off, sizeof off);
            std::this_thread::sleep_for(hold);
        }
    } catch (const RtMidiError& failure) {
        std::fprintf(stderr, "qarn_test_keys: %s\n", failure.getMessage().c_str());
        return 1;
    }
    return 0;
}
