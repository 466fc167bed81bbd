#pragma once
// The host's command line:
//   QarnHost <plugin.dll> [song.mid] [--loop] [--program P] [--midi-in N] [--script steps.txt]
//            [--render OUT --fps N ...]   (host/RenderOptions.h)
//            [--play-as CH] [--expect CH,...] [--midi-out N] [--tempo PERCENT] [--loop-bars A-B]
//            [--wait] [--report FILE]
//   QarnHost --list-midi-in | --list-midi-out
//   QarnHost <plugin.dll> --latency
#include "host/engine/PracticeSettings.h"
#include "host/engine/TextFields.h"
#include "host/render/RenderOptions.h"

#include <cstdint>
#include <string>
#include <vector>

struct HostOptions {
    std::string pluginPath;
    std::string songPath; // empty: no song
    std::string scriptPath; // empty: interactive
    bool hasProgram = false;
    int32_t program = 0;
    int midiInput = -1; // winmm input device number, -1 for none
    bool loop = false;
    bool listMidiInputs = false;
    bool latency = false; // measure how long a note takes to reach the screen
    bool help = false;
    RenderOptions render;
    PracticeOptions practice;
    int midiOutput = -1; // winmm output device number, -1 for none
    bool listMidiOutputs = false;
    std::string reportPath; // empty: the report is only printed
};

// Answers false with a one-line `error` for anything it cannot use.
bool parseHostOptions(const std::vector<std::string>& args, HostOptions& options, std::string& error);

const char* hostUsage();
