#include "formats/vst2/VstEventBlock.h"

#include "framework/Vst2Abi.h"

namespace {
int32_t readVstEvents(const void* source, int32_t first, int32_t count, MidiMessage* messages)
{
    // The host allocates room for numEvents pointers past the declared two,
    // so the list is walked as the pointer it decays to.
    VstEvent* const* list = static_cast<const VstEvents*>(source)->events + first;
    int32_t written = 0;
    for (int32_t i = 0; i < count; ++i) {
        const VstEvent* event = list[i];
        if (!event || event->type != kVstMidiType)
            continue;
        const char* data = reinterpret_cast<const VstMidiEvent*>(event)->midiData;
        for (int byte = 0; byte < 3; ++byte)
            messages[written].bytes[byte] = static_cast<unsigned char>(data[byte]);
        ++written;
    }
    return written;
}
} // namespace

MidiMessageBlock vstMidiBlock(const VstEvents* events, const VstTimeInfo* time)
{
    return {readVstEvents, events, events ? events->numEvents : 0,
        time != nullptr && (time->flags & kVstTransportChanged) != 0};
}

MidiBlockCounts receiveMidiBlock(const VstEvents* events, const VstTimeInfo* time)
{
    return receiveMidiBlock(vstMidiBlock(events, time));
}
