#include "host/win32/MidiOutputDevice.h"

#include "host/win32/DeviceNames.h"

MidiOutputDevice::~MidiOutputDevice()
{
    close();
}

std::vector<std::string> MidiOutputDevice::deviceNames()
{
    return deviceNamesOf<MIDIOUTCAPSA>(midiOutGetNumDevs(), midiOutGetDevCapsA);
}

bool MidiOutputDevice::open(int device, std::string& error)
{
    close();
    const std::vector<std::string> names = deviceNames();
    if (device < 0 || static_cast<size_t>(device) >= names.size()) {
        error = "MIDI output " + std::to_string(device) + ": no such device (there " +
            (names.size() == 1 ? "is 1" : "are " + std::to_string(names.size())) + "; see --list-midi-out)";
        return false;
    }
    const MMRESULT result = midiOutOpen(&handle, static_cast<UINT>(device), 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) {
        char text[MAXERRORLENGTH] = "unknown error";
        midiOutGetErrorTextA(result, text, sizeof text);
        error = "MIDI output " + std::to_string(device) + " (" + names[static_cast<size_t>(device)] + "): " + text;
        handle = nullptr;
        return false;
    }
    return true;
}

void MidiOutputDevice::close()
{
    if (!handle)
        return;
    midiOutReset(handle);
    midiOutClose(handle);
    handle = nullptr;
}

void MidiOutputDevice::send(const uint8_t* bytes, uint8_t size)
{
    if (!handle || size < 1)
        return;
    DWORD packed = bytes[0];
    if (size > 1)
        packed |= static_cast<DWORD>(bytes[1]) << 8;
    if (size > 2)
        packed |= static_cast<DWORD>(bytes[2]) << 16;
    midiOutShortMsg(handle, packed);
}
