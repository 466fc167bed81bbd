#pragma once
// The questions a script may ask with `expect` and `print`: the program and
// its name and whether the editor opened, of a plug-in of any format; what a
// VST 2 plug-in answered to a dispatcher call and what its AEffect record
// says, with the MIDI requests and editor rectangle it gave (another format
// answers that they are VST 2's); the host window's size, the host's own
// practice count, and the colour of a pixel of the window. The host answers each with text; `expect`
// compares that text with the script's value.
#include <string>
#include <vector>

enum class QueryKind {
    Program, // effGetProgram, or CLAP's "Instrument" parameter
    ProgramName, // effGetProgramName, or the parameter's text
    CanDo, // effCanDo <text>
    NumPrograms, // AEffect fields
    NumParams,
    NumInputs,
    NumOutputs,
    Flags,
    UniqueId, // as four characters, e.g. QARN
    Version,
    EditorOpen, // what the editor's open answered (0 before any open)
    EditorRect, // "<width> <height>" from effEditGetRect, or "none"
    WindowSize, // "<width> <height>" of the host window's client area
    WantMidi, // how many audioMasterWantMidi requests the host received
    PracticePercentage, // the host's own count, "%.2f", or "n/a"
    Pixel, // <x> <y>: "rrggbb" of the window's client area, captured now
    EffectName, // effGetEffectName
    VendorString, // effGetVendorString
    ProductString, // effGetProductString
    VendorVersion, // effGetVendorVersion
    Awaited, // the notes a waiting song waits for, "60 64 67", or "none"
    SongBar, // the bar where the song stands, from 1
    ReportCount, // <name>: a number of the practice report (expected, hit, missed, ...)
};

struct Query {
    QueryKind kind = QueryKind::Program;
    std::string name;
    std::vector<std::string> args;
};

// Reads the query's name and its arguments from `words`, starting at `next`
// (which it advances). Answers false with an error naming what is wrong.
bool parseQuery(const std::vector<std::string>& words, size_t& next, Query& query, std::string& error);

// Whether the host's answer meets the script's expectation. Numbers compare by
// value (0x101 equals 257); pixels as "rrggbb" or "rrggbb~n" allowing each
// channel to differ by n; everything else as exact text.
bool answerMatches(const Query& query, const std::string& expected, const std::string& answer);

// The names of every query, for error messages and the README.
std::string queryNames();
