#pragma once
// The words of command lines and script lines: numbers and file names.
#include <cstdint>
#include <string>

// Parses a whole decimal integer (optionally negative) within [low, high].
bool parseInteger(const std::string& text, int64_t low, int64_t high, int64_t& value);

// The last part of a path, after its last slash or backslash.
std::string fileNameOf(const std::string& path);
