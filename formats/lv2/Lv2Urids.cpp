#include "formats/lv2/Lv2Urids.h"

#include "formats/lv2/Lv2Ports.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/midi/midi.h>
#include <lv2/time/time.h>

#include <cstring>

Lv2Urids mapLv2Urids(const LV2_URID_Map& map)
{
    const auto id = [&map](const char* uri) { return map.map(map.handle, uri); };
    return {
        id(LV2_ATOM__Sequence),
        id(LV2_ATOM__Chunk),
        id(LV2_ATOM__Int),
        id(LV2_ATOM__eventTransfer),
        id(LV2_ATOM__Object),
        id(LV2_ATOM__Blank),
        id(LV2_ATOM__Long),
        id(LV2_ATOM__Float),
        id(LV2_ATOM__Double),
        id(LV2_MIDI__MidiEvent),
        id(LV2_TIME__Position),
        id(LV2_TIME__speed),
        id(LV2_TIME__frame),
        id(lv2ViewRequestUri),
        id(lv2TransportMovedUri),
        id(lv2ViewPropertyUri),
        id(LV2_BUF_SIZE__maxBlockLength),
        id(LV2_BUF_SIZE__nominalBlockLength),
    };
}

const void* findLv2Feature(const LV2_Feature* const* features, const char* uri)
{
    for (; features && *features; ++features) {
        if (std::strcmp((*features)->URI, uri) == 0)
            return (*features)->data;
    }
    return nullptr;
}
