#include "host/engine/PortNames.h"

#include <cstdio>

void printPortNames(const std::vector<std::string>& names, const char* noneText)
{
    if (names.empty())
        std::printf("%s\n", noneText);
    for (size_t i = 0; i < names.size(); ++i)
        std::printf("%zu: %s\n", i, names[i].c_str());
    std::fflush(stdout);
}
