#include "formats/clap/ClapParams.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// The instrument a parameter value stands for: the nearest step, or -1 for
// a value outside them.
int32_t instrumentOfValue(double value)
{
    if (!std::isfinite(value) || value < -0.5 || value >= ViewerCore::instrumentCount - 0.5)
        return -1;
    return static_cast<int32_t>(std::lround(value));
}

uint32_t count(const clap_plugin_t* plugin)
{
    return initializedViewerOf(plugin) ? 1 : 0;
}

bool getInfo(const clap_plugin_t* plugin, uint32_t index, clap_param_info_t* info)
{
    if (!initializedViewerOf(plugin) || index != 0 || !info)
        return false;
    std::memset(info, 0, sizeof *info);
    info->id = instrumentParamId;
    info->flags = CLAP_PARAM_IS_STEPPED | CLAP_PARAM_IS_AUTOMATABLE | CLAP_PARAM_IS_ENUM;
    std::snprintf(info->name, sizeof info->name, "Instrument");
    info->min_value = 0.0;
    info->max_value = ViewerCore::instrumentCount - 1;
    info->default_value = ViewerCore::defaultInstrument;
    return true;
}

bool getValue(const clap_plugin_t* plugin, clap_id id, double* value)
{
    if (!initializedViewerOf(plugin) || id != instrumentParamId || !value)
        return false;
    *value = ViewerCore::selectedInstrument();
    return true;
}

bool valueToText(const clap_plugin_t* plugin, clap_id id, double value, char* text, uint32_t capacity)
{
    const int32_t instrument = instrumentOfValue(value);
    if (!initializedViewerOf(plugin) || id != instrumentParamId || !text || capacity == 0 || instrument < 0)
        return false;
    ViewerCore::instrumentName(instrument, text, capacity > INT32_MAX ? INT32_MAX : static_cast<int>(capacity));
    return true;
}

// An instrument's name as value_to_text writes it, or its number.
bool textToValue(const clap_plugin_t* plugin, clap_id id, const char* text, double* value)
{
    const int32_t instrument = ViewerCore::instrumentOfText(text);
    if (!initializedViewerOf(plugin) || id != instrumentParamId || instrument < 0 || !value)
        return false;
    *value = instrument;
    return true;
}

// Never at the same time as `process`, on whichever thread the host calls it.
void flush(const clap_plugin_t* plugin, const clap_input_events_t* in, const clap_output_events_t* out)
{
    ClapViewer* viewer = initializedViewerOf(plugin);
    if (!viewer)
        return;
    if (in)
        applyInstrumentEvents(*viewer, *in);
    if (out)
        reportInstrument(*viewer, *out);
}

} // namespace

const clap_plugin_params_t viewerParams = {count, getInfo, getValue, valueToText, textToValue, flush};

void applyInstrumentEvents(ClapViewer& viewer, const clap_input_events_t& events)
{
    const uint32_t size = events.size && events.get ? events.size(&events) : 0;
    for (uint32_t index = 0; index < size; ++index) {
        const clap_event_header_t* event = events.get(&events, index);
        if (!event || event->space_id != CLAP_CORE_EVENT_SPACE_ID || event->type != CLAP_EVENT_PARAM_VALUE ||
            event->size < sizeof(clap_event_param_value_t))
            continue;
        const clap_event_param_value_t& change = *reinterpret_cast<const clap_event_param_value_t*>(event);
        const int32_t instrument = instrumentOfValue(change.value);
        if (change.param_id == instrumentParamId && viewer.core.selectInstrument(instrument))
            viewer.reportedInstrument.store(instrument, std::memory_order_relaxed);
    }
}

void reportInstrument(ClapViewer& viewer, const clap_output_events_t& events)
{
    const int32_t instrument = ViewerCore::selectedInstrument();
    if (instrument == viewer.reportedInstrument.load(std::memory_order_relaxed) || !events.try_push)
        return;
    clap_event_param_value_t change = {};
    change.header = {sizeof change, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    change.param_id = instrumentParamId;
    change.note_id = -1;
    change.port_index = -1;
    change.channel = -1;
    change.key = -1;
    change.value = instrument;
    if (events.try_push(&events, &change.header))
        viewer.reportedInstrument.store(instrument, std::memory_order_relaxed);
}

bool instrumentUnreported(const ClapViewer& viewer)
{
    return ViewerCore::selectedInstrument() != viewer.reportedInstrument.load(std::memory_order_relaxed);
}
