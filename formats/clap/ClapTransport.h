#pragma once
// Where a CLAP host's transport stands, as the transport watch reads it
// (core/TransportWatch.h): playing or not, and the position in samples where
// the host keeps a timeline in seconds.
#include "core/TransportWatch.h"
#include "formats/clap/abi/Events.h"

TransportPosition clapTransportPosition(const clap_event_transport_t& transport, double sampleRate);
