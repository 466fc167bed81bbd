#include "host/engine/SongOutput.h"

namespace {
constexpr uint8_t sustainPedal = 64;
} // namespace

void SongOutput::send(const uint8_t* bytes, uint8_t size)
{
    if (!output || size < 1)
        return;
    output->send(bytes, size);
    const int kind = bytes[0] & 0xF0;
    const int channel = bytes[0] & 0x0F;
    if (size < 3)
        return;
    const int note = bytes[1] & 0x7F;
    const uint32_t bit = 1u << (note & 31);
    if (kind == 0x90 && bytes[2] > 0)
        sounding[channel][note >> 5] |= bit;
    else if (kind == 0x80 || kind == 0x90)
        sounding[channel][note >> 5] &= ~bit;
    else if (kind == 0xB0 && bytes[1] == sustainPedal)
        pedalDown = bytes[2] >= 64 ? pedalDown | 1u << channel : pedalDown & ~(1u << channel);
}

bool SongOutput::isSounding(int channel, int note) const
{
    return (sounding[channel][note >> 5] >> (note & 31) & 1) != 0;
}

void SongOutput::silence()
{
    if (!output)
        return;
    for (int channel = 0; channel < 16; ++channel) {
        for (int note = 0; note < 128; ++note) {
            if (!isSounding(channel, note))
                continue;
            const uint8_t off[3] = {static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(note), 0};
            output->send(off, 3);
        }
        if (pedalDown >> channel & 1) {
            const uint8_t up[3] = {static_cast<uint8_t>(0xB0 | channel), sustainPedal, 0};
            output->send(up, 3);
        }
        for (uint32_t& word : sounding[channel])
            word = 0;
    }
    pedalDown = 0;
}
