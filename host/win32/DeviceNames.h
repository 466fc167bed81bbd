#pragma once
// The names of the multimedia MIDI devices, for the ports' lists.
#include <windows.h>

#include <mmsystem.h>

#include <string>
#include <vector>

// The names of `count` devices, read with the device type's own capabilities call.
template <typename Caps, typename GetCaps> std::vector<std::string> deviceNamesOf(UINT count, GetCaps getCaps)
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
