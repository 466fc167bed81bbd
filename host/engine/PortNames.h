#pragma once
// Prints MIDI port names the way --list-midi-in, --list-midi-out and the
// script's list-midi-out show them: one "N: name" line each.
#include <string>
#include <vector>

void printPortNames(const std::vector<std::string>& names, const char* noneText);
