#include "host/render/FrameClock.h"

#include <algorithm>
#include <cmath>

FrameClock::FrameClock(int fps, double fromSeconds, double toSeconds, double sampleRate)
    : fps(std::max(fps, 1))
    , fromSeconds(std::max(fromSeconds, 0.0))
    , sampleRate(sampleRate > 0.0 ? sampleRate : 44100.0)
{
    // Every frame time before the end, so a song of 2 s at 30 fps has 60
    // frames; the tolerance keeps a product such as 2.1 * 30 from adding a 64th.
    const double span = (toSeconds - this->fromSeconds) * this->fps;
    frames = std::max<int64_t>(1, static_cast<int64_t>(std::ceil(span - 1e-6)));
}

int64_t FrameClock::sampleOf(int64_t frame) const
{
    // From the frame number each time, so that no rounding error accumulates along the song.
    const double seconds = fromSeconds + static_cast<double>(frame) / fps;
    return static_cast<int64_t>(std::llround(seconds * sampleRate));
}
