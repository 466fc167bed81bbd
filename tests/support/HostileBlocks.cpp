#include "tests/support/HostileBlocks.h"

#include <cstring>

namespace {
constexpr int32_t sysexType = 6; // a record the plug-in must skip
}

uint32_t HostileBlocks::random()
{
    // xorshift32: cheap and the same on every platform.
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

void HostileBlocks::fill(VstMidiEvent& event)
{
    std::memset(&event, 0, sizeof event);
    event.type = kVstMidiType;
    event.byteSize = below(2) ? 24 : static_cast<int32_t>(sizeof(VstMidiEvent));
    event.deltaFrames = below(8) == 0 ? -below(100) : below(512);
    const int channel = below(16);
    int status = 0;
    int data1 = below(128);
    int data2 = below(128);
    switch (below(12)) {
    case 0:
    case 1:
    case 2: status = 0x90 | channel; break; // note-on (some with velocity 0)
    case 3:
    case 4: status = 0x80 | channel; break; // note-off
    case 5:
        status = 0x90 | channel;
        data1 = below(12);
        break; // below the table
    case 6:
        status = 0xB0 | channel;
        data1 = below(2) ? 123 : below(128);
        break; // controllers, all notes off
    case 7: status = 0xA0 | (0x10 * below(7)) | channel; break; // pressure, program, bend, ...
    case 8: status = 0xF0 | below(16); break; // system bytes
    case 9: status = below(128); break; // running status: no status byte
    case 10:
        status = 0x90 | channel;
        data1 |= 0x80;
        data2 |= 0x80;
        break; // top bits set in the data
    default:
        status = below(256);
        data1 = below(256);
        data2 = below(256);
        break;
    }
    event.midiData[0] = static_cast<char>(status);
    event.midiData[1] = static_cast<char>(data1);
    event.midiData[2] = static_cast<char>(data2);
    event.midiData[3] = static_cast<char>(below(256));
    if (below(16) == 0)
        event.byteSize = static_cast<int32_t>(random()); // a host that fills in nonsense
    if (below(24) == 0)
        event.type = below(2) ? sysexType : static_cast<int32_t>(random());
}

HostileBlock HostileBlocks::next()
{
    HostileBlock block{};
    block.transportChanged = below(8) == 0;
    block.withoutTime = below(16) == 0;
    if (below(64) == 0)
        return block; // no block at all

    auto* events = reinterpret_cast<VstEvents*>(list);
    std::memset(list, 0, sizeof list);
    const int count = below(maxEvents + 1);
    VstEvent** pointers = events->events;
    for (int i = 0; i < count; ++i) {
        fill(records[i]);
        pointers[i] = below(32) == 0 ? nullptr : reinterpret_cast<VstEvent*>(&records[i]);
    }
    events->numEvents = below(32) == 0 ? -below(1000) - 1 : count;
    block.events = events;
    return block;
}
