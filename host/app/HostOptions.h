#pragma once
// The host's command line:
//   QarnHost <plugin.dll> [song.mid] [--loop] [--program P] [--midi-in N] [--script steps.txt]
//            [--render OUT --fps N ...]   (host/RenderOptions.h)
//            [--play-as CH] [--expect CH,...] [--midi-out N] [--tempo PERCENT] [--loop-bars A-B]
//            [--wait] [--report FILE]
//   QarnHost --list-midi-in | --list-midi-out
//   QarnHost <plugin.dll> --latency
#include "host/engine/SessionOptions.h"
#include "host/engine/TextFields.h"
#include "host/render/RenderOptions.h"

#include <cstdint>
#include <string>
#include <vector>

struct HostOptions : SessionOptions {
    std::string scriptPath; // empty: interactive
    bool listMidiInputs = false;
    bool listMidiOutputs = false;
    bool latency = false; // measure how long a note takes to reach the screen
    bool help = false;
    RenderOptions render;
    std::string reportPath; // empty: the report is only printed
};

// Answers false with a one-line `error` for anything it cannot use.
bool parseHostOptions(const std::vector<std::string>& args, HostOptions& options, std::string& error);

const char* hostUsage();
