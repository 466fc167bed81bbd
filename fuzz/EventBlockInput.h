#pragma once
// Builds a VstEvents block from fuzzer bytes, laid out as a host lays it out:
// numEvents is the number of pointers really there (or zero or negative, which
// the plug-in must refuse harmlessly); each pointer is null, or points at a
// whole 32-byte event record whose every field came from the input, the type
// mostly MIDI; records may be shared by several pointers.
#include "framework/Vst2Abi.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

class EventBlockInput {
public:
    static constexpr int maxEvents = 64;

    // Reads a block from `input`; valid while this object lives.
    VstEvents* read(FuzzedDataProvider& input);
    // How many pointers in the block point at a record (whatever its type).
    int recordCount() const { return records; }

private:
    std::vector<VstMidiEvent> events;
    std::vector<unsigned char> list;
    int records = 0;
};
