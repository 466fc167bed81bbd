#pragma once
// Which live MIDI port a user means by the value of --midi-in or --midi-out:
// a number, or a name as the platform lists it (MidiPorts.h). Names are
// long and partly the system's ("JACK: a2j:Keystation [20] (capture)"), so
// a unique part of one will do.
#include <string>
#include <vector>

struct MidiPortList {
    const char* what; // "MIDI input", in errors
    const char* listOption; // "--list-midi-in", the option that prints the list
    const std::vector<std::string>& names;
};

// `wanted` is a port's number, an index of the list that open() checks
// against the ports it finds then; or a name: the port of exactly that name,
// else the one port whose name holds `wanted`, ignoring case. Answers false
// with a one-line `error` when no port, or several, match.
bool chooseMidiPort(const std::string& wanted, const MidiPortList& list, int& index, std::string& error);
