#pragma once
// The diagnostic log as tests read it: QARN_LOG set to a file (empty removes
// the variable) and the file's text.
#include <string>

void setLogVariable(const std::string& file);
// Empty for a file that cannot be read.
std::string fileContents(const std::string& file);
