#pragma once
// The plug-in's one parameter, "Instrument": the core's selected instrument,
// stepped over its five values, which hosts show by name and automate.
// Selecting an instrument selects it in every instance (core/ViewerCore.h),
// so each instance tells its host when the selection moved elsewhere.
#include "formats/clap/ClapViewer.h"

constexpr clap_id instrumentParamId = 0;

// The block's parameter events: a value for the instrument selects it.
// Audio thread, or main thread in `flush`.
void applyInstrumentEvents(ClapViewer& viewer, const clap_input_events_t& events);
// Sends the selected instrument as a parameter event when the host last
// heard of another; a host that takes no event hears of it next time.
void reportInstrument(ClapViewer& viewer, const clap_output_events_t& events);
// Whether the host has yet to hear of the selected instrument.
bool instrumentUnreported(const ClapViewer& viewer);
