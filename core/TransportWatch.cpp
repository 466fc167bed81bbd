#include "core/TransportWatch.h"

#include <algorithm>

bool TransportWatch::moved(const TransportPosition& now, uint32_t frames)
{
    bool moved = false;
    if (watching) {
        if (now.playing != last.playing) {
            moved = true;
        } else if (now.known && last.known) {
            // In unsigned arithmetic, so that positions no host would send
            // wrap round instead of overflowing.
            const uint64_t expected =
                static_cast<uint64_t>(last.sample) + static_cast<uint64_t>(last.playing ? lastFrames : 0);
            const auto at = static_cast<uint64_t>(now.sample);
            const uint64_t distance = std::min(at - expected, expected - at);
            moved = distance > std::max<uint64_t>(static_cast<uint64_t>(lastFrames), 1);
        }
    }
    watching = true;
    last = now;
    lastFrames = frames;
    return moved;
}
