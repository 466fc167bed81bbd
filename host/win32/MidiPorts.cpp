// Live MIDI on Windows: the multimedia MIDI devices. Output device 0 is the
// built-in General MIDI synthesizer on Windows; under Wine both lists are
// the ALSA sequencer's ports.
#include "host/engine/MidiPorts.h"

#include "host/win32/DeviceNames.h"

#include <windows.h>

#include <mmsystem.h>

#include <atomic>
#include <thread>

namespace {
constexpr int pending = 0;
constexpr int opened = 1;
constexpr int failed = 2;
} // namespace

// The device reports to a thread of the input's own, to its message queue
// (CALLBACK_THREAD), which keeps our code out of the driver's callback,
// where almost no call is allowed.
struct MidiInput::Native {
    void run(int device, std::string& error, std::atomic<int>& outcome);

    Receiver receiver;
    std::thread thread;
    std::atomic<DWORD> threadId{0};
};

MidiInput::MidiInput()
    : native(std::make_unique<Native>())
{
}

MidiInput::~MidiInput()
{
    close();
}

std::vector<std::string> MidiInput::portNames()
{
    return deviceNamesOf<MIDIINCAPSA>(midiInGetNumDevs(), midiInGetDevCapsA);
}

bool MidiInput::open(int port, Receiver receiver, std::string& error)
{
    close();
    if (port < 0 || static_cast<UINT>(port) >= midiInGetNumDevs()) {
        error = "there is no MIDI input device " + std::to_string(port) + " (see --list-midi-in)";
        return false;
    }
    native->receiver = std::move(receiver);
    std::atomic<int> outcome{pending};
    std::string threadError;
    Native& input = *native;
    input.thread = std::thread([&input, port, &threadError, &outcome] { input.run(port, threadError, outcome); });
    while (outcome.load() == pending)
        Sleep(1);
    if (outcome.load() == failed) {
        input.thread.join();
        error = threadError;
        return false;
    }
    return true;
}

void MidiInput::close()
{
    if (native->thread.joinable()) {
        PostThreadMessageA(native->threadId.load(), WM_QUIT, 0, 0);
        native->thread.join();
    }
    native->threadId.store(0);
}

void MidiInput::Native::run(int device, std::string& error, std::atomic<int>& outcome)
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

struct MidiOutputPort::Native {
    HMIDIOUT handle = nullptr;
};

MidiOutputPort::MidiOutputPort()
    : native(std::make_unique<Native>())
{
}

MidiOutputPort::~MidiOutputPort()
{
    close();
}

std::vector<std::string> MidiOutputPort::portNames()
{
    return deviceNamesOf<MIDIOUTCAPSA>(midiOutGetNumDevs(), midiOutGetDevCapsA);
}

bool MidiOutputPort::open(int port, std::string& error)
{
    close();
    const std::vector<std::string> names = portNames();
    if (port < 0 || static_cast<size_t>(port) >= names.size()) {
        error = "MIDI output " + std::to_string(port) + ": no such device (there " +
            (names.size() == 1 ? "is 1" : "are " + std::to_string(names.size())) + "; see --list-midi-out)";
        return false;
    }
    const MMRESULT result = midiOutOpen(&native->handle, static_cast<UINT>(port), 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) {
        char text[MAXERRORLENGTH] = "unknown error";
        midiOutGetErrorTextA(result, text, sizeof text);
        error = "MIDI output " + std::to_string(port) + " (" + names[static_cast<size_t>(port)] + "): " + text;
        native->handle = nullptr;
        return false;
    }
    return true;
}

void MidiOutputPort::close()
{
    if (!native->handle)
        return;
    midiOutReset(native->handle);
    midiOutClose(native->handle);
    native->handle = nullptr;
}

void MidiOutputPort::send(const uint8_t* bytes, uint8_t size)
{
    if (!native->handle || size < 1)
        return;
    DWORD packed = bytes[0];
    if (size > 1)
        packed |= static_cast<DWORD>(bytes[1]) << 8;
    if (size > 2)
        packed |= static_cast<DWORD>(bytes[2]) << 16;
    midiOutShortMsg(native->handle, packed);
}
