#include "formats/clap/ClapTransport.h"

#include <cmath>

namespace {

// Beyond any rate a host runs at; a rate outside it, or none, leaves the
// position unknown rather than a number out of range.
constexpr double highestSampleRate = 10'000'000.0;

} // namespace

TransportPosition clapTransportPosition(const clap_event_transport_t& transport, double sampleRate)
{
    TransportPosition position;
    position.playing = (transport.flags & CLAP_TRANSPORT_IS_PLAYING) != 0;
    position.known = (transport.flags & CLAP_TRANSPORT_HAS_SECONDS_TIMELINE) != 0 && sampleRate > 0.0 &&
        sampleRate < highestSampleRate;
    if (position.known) {
        const double seconds = static_cast<double>(transport.song_pos_seconds) / CLAP_SECTIME_FACTOR;
        position.sample = std::llround(seconds * sampleRate);
    }
    return position;
}
