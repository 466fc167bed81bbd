#pragma once
// A live MIDI keyboard through the Windows multimedia MIDI input (under Wine
// it reaches the ALSA sequencer's ports). Channel messages are handed to a
// receiver on a thread of the input's own; system messages (clock, active
// sensing, sysex) are dropped.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class MidiInput {
public:
    using Receiver = std::function<void(uint8_t status, uint8_t data1, uint8_t data2)>;

    MidiInput() = default;
    ~MidiInput();

    MidiInput(const MidiInput&) = delete;
    MidiInput& operator=(const MidiInput&) = delete;

    static std::vector<std::string> deviceNames();

    bool open(int device, Receiver receiver, std::string& error);
    void close();

private:
    void run(int device, std::string& error, std::atomic<int>& outcome);

    Receiver receiver;
    std::thread thread;
    std::atomic<DWORD> threadId{0};
};
