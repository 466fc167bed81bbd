#include "formats/vst2/VstEventBlock.h"

#include "framework/Vst2Abi.h"

namespace {
bool readVstEvent(const void* source, int32_t index, MidiMessage& message)
{
    // The host allocates room for numEvents pointers past the declared two,
    // so the list is walked as the pointer it decays to.
    VstEvent* const* list = static_cast<const VstEvents*>(source)->events;
    const VstEvent* event = list[index];
    if (!event || event->type != kVstMidiType)
        return false;
    const char* data = reinterpret_cast<const VstMidiEvent*>(event)->midiData;
    for (int i = 0; i < 3; ++i)
        message.bytes[i] = static_cast<unsigned char>(data[i]);
    return true;
}
} // namespace

MidiMessageBlock vstMidiBlock(const VstEvents* events, const VstTimeInfo* time)
{
    return {readVstEvent, events, events ? events->numEvents : 0,
        time != nullptr && (time->flags & kVstTransportChanged) != 0};
}

MidiBlockCounts receiveMidiBlock(const VstEvents* events, const VstTimeInfo* time)
{
    return receiveMidiBlock(vstMidiBlock(events, time));
}
