#pragma once
// A MIDI output device through the Windows multimedia MIDI output (device 0
// is the built-in General MIDI synthesizer on Windows; under Wine the ALSA
// sequencer's ports). Opened and closed on the user-interface thread while
// the processing thread is stopped; send runs on the processing thread.
#include "host/engine/MidiOutput.h"

#include <windows.h>

#include <mmsystem.h>

#include <string>
#include <vector>

class MidiOutputDevice : public MidiOutput {
public:
    MidiOutputDevice() = default;
    ~MidiOutputDevice() override;

    MidiOutputDevice(const MidiOutputDevice&) = delete;
    MidiOutputDevice& operator=(const MidiOutputDevice&) = delete;

    static std::vector<std::string> deviceNames();

    // Errors name the device and the reason.
    bool open(int device, std::string& error);
    // Silences every channel and closes; harmless when closed.
    void close();

    void send(const uint8_t* bytes, uint8_t size) override;

private:
    HMIDIOUT handle = nullptr;
};
