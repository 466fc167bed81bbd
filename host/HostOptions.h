#pragma once
// The host's command line:
//   QarnHost <plugin.dll> [song.mid] [--loop] [--program P] [--midi-in N] [--script steps.txt]
//   QarnHost --list-midi-in
//   QarnHost <plugin.dll> --latency
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
};

// Answers false with a one-line `error` for anything it cannot use.
bool parseHostOptions(const std::vector<std::string>& args, HostOptions& options, std::string& error);

// Parses a whole decimal integer (optionally negative) within [low, high].
bool parseInteger(const std::string& text, int64_t low, int64_t high, int64_t& value);

const char* hostUsage();
