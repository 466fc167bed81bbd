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
    // Live MIDI ports: a number or (part of) a name as the port lists give
    // them (host/engine/MidiPortChoice.h); empty for none.
    std::string midiInput;
    std::string midiOutput;
    PracticeOptions practice;
    // A render idles the editor only once per frame and at the script's idle
    // steps, so that the clock never reaches its pictures.
    bool idleTimer = true;
};
