#pragma once
// Event blocks as a careless or hostile host sends them, for the stress and
// multi-instance tests: note-ons and note-offs on all sixteen channels,
// controllers and other channel messages, notes below 12, system and running-
// status bytes in the status position, data bytes with the top bit set,
// events whose byteSize is 24 (as some hosts count it) or nonsense, events
// that are not MIDI, null entries in the list and negative counts. The
// sequence is fixed by the seed, so a failure can be replayed.
//
// Each block also says what the host's time info should report with it.
// A generator belongs to one thread; next() reuses its storage, so a block is
// valid until the next call.
#include "framework/Vst2Abi.h"

#include <cstdint>

struct HostileBlock {
    VstEvents* events; // may be null
    bool transportChanged; // the time info for this block has the transport bit
    bool withoutTime; // the host answers no time info for this block
};

class HostileBlocks {
public:
    static constexpr int maxEvents = 48;

    explicit HostileBlocks(uint32_t seed)
        : state(seed ? seed : 1u)
    {
    }

    HostileBlock next();

private:
    uint32_t random();
    int below(int bound) { return static_cast<int>(random() % static_cast<uint32_t>(bound)); }
    void fill(VstMidiEvent& event);

    uint32_t state;
    VstMidiEvent records[maxEvents] = {};
    // VstEvents with room for maxEvents pointers, as a host lays it out.
    alignas(VstEvents) unsigned char list[sizeof(VstEvents) + maxEvents * sizeof(VstEvent*)] = {};
};
