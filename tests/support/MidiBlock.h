#pragma once
// Builds VstEvents blocks from raw MIDI bytes, the way a host lays them out.
#include "framework/Vst2Abi.h"

#include <cstring>
#include <initializer_list>
#include <vector>

class MidiBlock {
public:
    MidiBlock& add(unsigned char status, unsigned char data1, unsigned char data2)
    {
        VstMidiEvent event{};
        event.type = kVstMidiType;
        event.byteSize = sizeof(VstMidiEvent);
        event.midiData[0] = static_cast<char>(status);
        event.midiData[1] = static_cast<char>(data1);
        event.midiData[2] = static_cast<char>(data2);
        midiEvents.push_back(event);
        return *this;
    }
    MidiBlock& noteOn(int channel, int note, int velocity)
    {
        return add(static_cast<unsigned char>(0x90 | channel), static_cast<unsigned char>(note),
            static_cast<unsigned char>(velocity));
    }
    MidiBlock& noteOff(int channel, int note)
    {
        return add(static_cast<unsigned char>(0x80 | channel), static_cast<unsigned char>(note), 64);
    }

    // The block as the host hands it over; valid until the next add.
    VstEvents* events()
    {
        storage.assign(sizeof(VstEvents) + midiEvents.size() * sizeof(VstEvent*), 0);
        auto* block = reinterpret_cast<VstEvents*>(storage.data());
        block->numEvents = static_cast<int32_t>(midiEvents.size());
        VstEvent** list = block->events;
        for (size_t i = 0; i < midiEvents.size(); ++i)
            list[i] = reinterpret_cast<VstEvent*>(&midiEvents[i]);
        return block;
    }

private:
    std::vector<VstMidiEvent> midiEvents;
    std::vector<unsigned char> storage;
};
