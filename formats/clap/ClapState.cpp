// The view saved in the host's project: the core's record, as it is
// (core/SavedView.h), with nothing of CLAP's around it.
#include "formats/clap/ClapStreams.h"
#include "formats/clap/ClapViewer.h"

namespace {

bool save(const clap_plugin_t* plugin, const clap_ostream_t* stream)
{
    const ClapViewer* viewer = initializedViewerOf(plugin);
    if (!viewer || !stream || !viewer->onMainThread())
        return false;
    uint8_t bytes[savedViewSize];
    ViewerCore::saveView(bytes);
    return writeWhole(*stream, bytes, sizeof bytes);
}

// A stream that is more than one record, or breaks off, changes nothing; nor
// does a record the core refuses. A restored instrument is the host's to
// hear of as a new value, not as a change to record.
bool load(const clap_plugin_t* plugin, const clap_istream_t* stream)
{
    ClapViewer* viewer = initializedViewerOf(plugin);
    if (!viewer || !stream || !viewer->onMainThread())
        return false;
    uint8_t bytes[savedViewSize];
    size_t size = 0;
    if (!readWhole(*stream, bytes, sizeof bytes, size) || !viewer->core.restoreView(bytes, size))
        return false;
    viewer->reportedInstrument.store(ViewerCore::selectedInstrument(), std::memory_order_relaxed);
    if (viewer->hostParams && viewer->hostParams->rescan)
        viewer->hostParams->rescan(&viewer->host, CLAP_PARAM_RESCAN_VALUES);
    return true;
}

} // namespace

const clap_plugin_state_t viewerState = {save, load};
