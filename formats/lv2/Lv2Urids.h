#pragma once
// The URIs the plug-in and its user interface use, mapped once per instance
// through the host's URID map (formats/lv2/Lv2Ports.h names our own).
#include <lv2/core/lv2.h>
#include <lv2/urid/urid.h>

struct Lv2Urids {
    LV2_URID atomSequence;
    LV2_URID atomChunk;
    LV2_URID atomInt;
    LV2_URID atomEventTransfer;
    LV2_URID atomObject;
    LV2_URID atomBlank;
    LV2_URID atomLong;
    LV2_URID atomFloat;
    LV2_URID atomDouble;
    LV2_URID midiEvent;
    LV2_URID timePosition;
    LV2_URID timeSpeed;
    LV2_URID timeFrame;
    LV2_URID viewRequest;
    LV2_URID transportMoved;
    LV2_URID viewProperty;
    LV2_URID maxBlockLength;
    LV2_URID nominalBlockLength;
};

Lv2Urids mapLv2Urids(const LV2_URID_Map& map);

// The host's feature of that URI, or null.
const void* findLv2Feature(const LV2_Feature* const* features, const char* uri);
