#pragma once
// The host's transport as an LV2 host tells it: a time:Position object on the
// MIDI input when it changes (a start, a stop, a jump, a new tempo), not at
// every block. Between two the transport is where playback has taken it, so
// the watch (core/TransportWatch.h) sees a position at every block.
//
// Processing thread only; reads the sequence in place and allocates nothing.
#include "core/TransportWatch.h"
#include "formats/lv2/Lv2Urids.h"

#include <lv2/atom/atom.h>

class AtomTransport {
public:
    explicit AtomTransport(const Lv2Urids& urids)
        : urids(urids)
    {
    }

    // Reads the block's positions (the last one counts) and answers whether
    // the transport started, stopped or jumped since the last block. Nothing
    // has moved until the host has told a position.
    bool moved(const LV2_Atom_Sequence* sequence, uint32_t frames);

private:
    // Where the sequence puts the transport at the start of its block; false
    // when it tells nothing.
    bool readPosition(const LV2_Atom_Sequence& sequence, TransportPosition& position) const;

    const Lv2Urids& urids;
    bool told = false;
    // At the start of the block being read.
    TransportPosition position;
    TransportWatch watch;
};
