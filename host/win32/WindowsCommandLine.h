#pragma once
// Windows programs get one command line, not an argument list.
#include <string>
#include <vector>

// One command line for CreateProcess from separate arguments, quoted so that
// the C runtime's parser (and Wine's, for a Unix program) splits it back
// into exactly these arguments.
std::string windowsCommandLine(const std::vector<std::string>& arguments);
