#pragma once
// What a host session is asked to do from its start (host/engine/HostSession.h).
#include "host/engine/PracticeSettings.h"

#include <cstdint>
#include <string>

struct SessionOptions {
    std::string pluginPath;
    std::string songPath; // empty: no song
    bool hasProgram = false;
    int32_t program = 0;
    bool loop = false;
    int midiInput = -1; // a port of MidiInput::portNames(), -1 for none
    int midiOutput = -1; // a port of MidiOutputPort::portNames(), -1 for none
    PracticeOptions practice;
    // A render idles the editor only once per frame and at the script's idle
    // steps, so that the clock never reaches its pictures.
    bool idleTimer = true;
};
