#include "core/TransportWatch.h"

#include <algorithm>

bool TransportWatch::moved(const TransportPosition& now, uint32_t frames)
{
    bool moved = false;
    if (watching) {
        if (now.playing != last.playing) {
            moved = true;
        } else if (now.known && last.known) {
            const int64_t expected = last.sample + (last.playing ? lastFrames : 0);
            const int64_t distance = now.sample > expected ? now.sample - expected : expected - now.sample;
            moved = distance > std::max<int64_t>(lastFrames, 1);
        }
    }
    watching = true;
    last = now;
    lastFrames = frames;
    return moved;
}
