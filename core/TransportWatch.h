#pragma once
// Whether the host's transport moved, for formats whose hosts say at each
// block where it stands but not that it moved, as a VST 2 host's own flag
// does: a start, a stop or a jump clears the held keys (intake/MidiIntake.h),
// so that notes the host will never end do not stay lit.
//
// Processing thread only; allocates nothing.
#include <cstdint>

struct TransportPosition {
    bool playing = false;
    // Whether `sample` holds the position: hosts without a timeline leave it out.
    bool known = false;
    // Where the block starts on the host's timeline, in samples.
    int64_t sample = 0;
};

class TransportWatch {
public:
    // The transport at the start of a block of `frames`. True when playback
    // started or stopped since the last block, or when the position lies more
    // than a block from where the last block would have taken it. A host
    // that counts in seconds lands within a block of that; only a jump, or a
    // loop turning back, goes further. False for the first block watched.
    bool moved(const TransportPosition& now, uint32_t frames);
    // The next block starts the watch afresh: when the host activates the
    // plug-in again, its timeline may have gone anywhere.
    void forget() { watching = false; }

private:
    bool watching = false;
    TransportPosition last;
    uint32_t lastFrames = 0;
};
