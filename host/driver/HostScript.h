#pragma once
// The host's scripted mode: a text file of steps, one per line, that drive the
// plug-in the way a user and a host would (open the editor, choose a program,
// press on the panel, play notes, move the transport) and then capture the
// window or check what the plug-in answered. Blank lines and lines starting
// with '#' are ignored. The README's "Running the host" lists every step.
#include "host/driver/ScriptQuery.h"

#include <cstdint>
#include <string>
#include <vector>

enum class StepKind {
    Open, // open
    Close, // close
    Program, // program P
    Press, // press X Y [left|right]  |  press NAME [left|right]
    NoteOn, // note-on CH NOTE VEL      (channels 1..16)
    NoteOff, // note-off CH NOTE
    Transport, // transport                (the next block reports a transport change)
    Play, // play                     (the song from its start)
    Stop, // stop
    WaitSong, // wait-song                (until the song reaches its end)
    Idle, // idle N                   (N editor idle calls)
    Wait, // wait MS                  (run as usual for MS milliseconds)
    Capture, // capture FILE.png
    Expect, // expect QUERY [ARGS] VALUE
    Print, // print QUERY [ARGS]
    WaitFile, // wait-file FILE           (run as usual until FILE exists, then delete it)
    // A practice run (PracticeSteps.cpp):
    PlayAs, // play-as CH|off
    ExpectChannels, // expect-channels CH,...|all
    Tempo, // tempo PERCENT
    LoopBars, // loop-bars A-B|off
    WaitMode, // wait-mode on|off
    MidiOut, // midi-out N|off
    ListMidiOut, // list-midi-out
    Report, // report [FILE.json]
    KeyboardOn, // keyboard-on CH NOTE VEL  (as the live keyboard sends it)
    KeyboardOff, // keyboard-off CH NOTE
    AnswerWaits, // answer-waits             (plays the player's part of a waiting song)
};

struct ScriptStep {
    StepKind kind = StepKind::Open;
    int line = 0;
    // Program: {P}; Press: {x, y}; NoteOn: {channel 0..15, note, velocity};
    // NoteOff: {channel 0..15, note}; Idle: {count}; Wait: {milliseconds}.
    // KeyboardOn/Off: as NoteOn/Off; PlayAs: {channel 1..16 or 0}; ExpectChannels:
    // {channel bits}; Tempo: {percent}; LoopBars: {first, last} or {0, 0};
    // WaitMode: {1 or 0}; MidiOut: {device or -1}.
    int64_t numbers[3] = {0, 0, 0};
    bool rightButton = false;
    std::string path; // Capture, WaitFile, Report (may be empty)
    Query query; // Expect, Print
    std::string expected; // Expect: the rest of the line
};

// Parses a whole script. Answers false with "line N: ..." in `error`.
bool parseHostScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error);

bool loadHostScript(const std::string& path, std::vector<ScriptStep>& steps, std::string& error);
