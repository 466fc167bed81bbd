#pragma once
// Live MIDI ports of this platform: a keyboard played into the host, and an
// output the song sounds on. Declared once here; host/win32 and host/linux
// implement them (the Windows multimedia devices; RtMidi over the ALSA
// sequencer and JACK, and FluidSynth's General MIDI synthesizer).
#include "host/engine/MidiOutput.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class MidiInput {
public:
    using Receiver = std::function<void(uint8_t status, uint8_t data1, uint8_t data2)>;

    MidiInput();
    ~MidiInput();
    MidiInput(const MidiInput&) = delete;
    MidiInput& operator=(const MidiInput&) = delete;

    static std::vector<std::string> portNames();

    // `port` indexes portNames(). Channel messages reach `receiver` on a
    // thread of the input's own; system messages are dropped. Errors name
    // the port and the reason.
    bool open(int port, Receiver receiver, std::string& error);
    // Harmless when closed; no call reaches the receiver after it returns.
    void close();

private:
    struct Native;
    std::unique_ptr<Native> native;
};

class MidiOutputPort : public MidiOutput {
public:
    MidiOutputPort();
    ~MidiOutputPort() override;
    MidiOutputPort(const MidiOutputPort&) = delete;
    MidiOutputPort& operator=(const MidiOutputPort&) = delete;

    static std::vector<std::string> portNames();

    // User-interface thread, while the processing thread is stopped. `port`
    // indexes portNames(); errors name the port and the reason.
    bool open(int port, std::string& error);
    // Silences every channel and closes; harmless when closed.
    void close();

    // Processing thread.
    void send(const uint8_t* bytes, uint8_t size) override;

private:
    struct Native;
    std::unique_ptr<Native> native;
};
