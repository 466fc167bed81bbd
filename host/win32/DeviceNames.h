#pragma once
// Lists MIDI devices the way --list-midi-in and --list-midi-out print them.
#include <windows.h>

#include <mmsystem.h>

#include <cstdio>
#include <string>
#include <vector>

inline void printDeviceNames(const std::vector<std::string>& names, const char* noneText)
{
    if (names.empty())
        std::printf("%s\n", noneText);
    for (size_t i = 0; i < names.size(); ++i)
        std::printf("%zu: %s\n", i, names[i].c_str());
    std::fflush(stdout);
}

// The names of `count` devices, read with the device type's own capabilities call.
template <typename Caps, typename GetCaps>
std::vector<std::string> deviceNamesOf(UINT count, GetCaps getCaps)
{
    std::vector<std::string> names;
    for (UINT i = 0; i < count; ++i) {
        Caps caps{};
        if (getCaps(i, &caps, sizeof caps) == MMSYSERR_NOERROR)
            names.push_back(caps.szPname);
        else
            names.push_back("(unnamed device)");
    }
    return names;
}
