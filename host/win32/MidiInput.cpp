#include "host/win32/MidiInput.h"

#include "host/win32/DeviceNames.h"

#include <mmsystem.h>

namespace {
constexpr int pending = 0;
constexpr int opened = 1;
constexpr int failed = 2;
} // namespace

MidiInput::~MidiInput()
{
    close();
}

std::vector<std::string> MidiInput::deviceNames()
{
    return deviceNamesOf<MIDIINCAPSA>(midiInGetNumDevs(), midiInGetDevCapsA);
}

bool MidiInput::open(int device, Receiver newReceiver, std::string& error)
{
    close();
    if (device < 0 || static_cast<UINT>(device) >= midiInGetNumDevs()) {
        error = "there is no MIDI input device " + std::to_string(device) + " (see --list-midi-in)";
        return false;
    }
    receiver = std::move(newReceiver);
    std::atomic<int> outcome{pending};
    std::string threadError;
    thread = std::thread([this, device, &threadError, &outcome] { run(device, threadError, outcome); });
    while (outcome.load() == pending)
        Sleep(1);
    if (outcome.load() == failed) {
        thread.join();
        error = threadError;
        return false;
    }
    return true;
}

void MidiInput::close()
{
    if (thread.joinable()) {
        PostThreadMessageA(threadId.load(), WM_QUIT, 0, 0);
        thread.join();
    }
    threadId.store(0);
}

// The device reports to this thread's message queue (CALLBACK_THREAD), which
// keeps our code out of the driver's callback, where almost no call is allowed.
void MidiInput::run(int device, std::string& error, std::atomic<int>& outcome)
{
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // creates the queue
    threadId.store(GetCurrentThreadId());

    HMIDIIN input = nullptr;
    MMRESULT result = midiInOpen(&input, static_cast<UINT>(device), GetCurrentThreadId(), 0, CALLBACK_THREAD);
    if (result == MMSYSERR_NOERROR)
        result = midiInStart(input);
    if (result != MMSYSERR_NOERROR) {
        char text[MAXERRORLENGTH] = "unknown error";
        midiInGetErrorTextA(result, text, sizeof text);
        error = "MIDI input " + std::to_string(device) + ": " + text;
        if (input)
            midiInClose(input);
        outcome.store(failed);
        return;
    }
    outcome.store(opened);

    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message != MM_MIM_DATA)
            continue;
        const DWORD packed = static_cast<DWORD>(message.lParam);
        const uint8_t status = packed & 0xFF;
        if (status >= 0x80 && status < 0xF0)
            receiver(status, (packed >> 8) & 0x7F, (packed >> 16) & 0x7F);
    }
    midiInStop(input);
    midiInReset(input);
    midiInClose(input);
}
