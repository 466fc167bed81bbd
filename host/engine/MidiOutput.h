#pragma once
// Where the song sounds: a MIDI output device on Windows, a recording in
// tests. The transport calls it on the processing thread, once per channel
// message, at the start of the block the message falls in.
#include <cstdint>

class MidiOutput {
public:
    virtual ~MidiOutput() = default;
    virtual void send(const uint8_t* bytes, uint8_t size) = 0;
};
