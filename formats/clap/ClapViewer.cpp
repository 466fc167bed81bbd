#include "formats/clap/ClapViewer.h"

#include "formats/clap/ClapDescriptor.h"
#include "formats/clap/ClapNoteEvents.h"
#include "formats/clap/ClapParams.h"
#include "formats/clap/ClapTransport.h"

#include <cstring>
#include <new>

namespace {

template <typename Extension> const Extension* hostExtension(const clap_host_t& host, const char* id)
{
    return host.get_extension ? static_cast<const Extension*>(host.get_extension(&host, id)) : nullptr;
}

bool init(const clap_plugin_t* plugin)
{
    ClapViewer* viewer = viewerOf(plugin);
    if (!viewer || viewer->initialized)
        return false;
    viewer->hostParams = hostExtension<clap_host_params_t>(viewer->host, CLAP_EXT_PARAMS);
    viewer->hostTimers = hostExtension<clap_host_timer_support_t>(viewer->host, CLAP_EXT_TIMER_SUPPORT);
    viewer->hostThreads = hostExtension<clap_host_thread_check_t>(viewer->host, CLAP_EXT_THREAD_CHECK);
    viewer->initialized = true;
    return true;
}

void destroy(const clap_plugin_t* plugin)
{
    ClapViewer* viewer = viewerOf(plugin);
    if (!viewer)
        return;
    if (viewer->guiCreated)
        releaseGui(*viewer);
    if (viewer->core.logsAtClose())
        viewer->core.writeDiagnosticLine(
            {viewer->host.vendor, viewer->host.name, viewer->sampleRate, viewer->blockSize});
    delete viewer;
}

bool activate(const clap_plugin_t* plugin, double sampleRate, uint32_t, uint32_t maxFrames)
{
    ClapViewer* viewer = initializedViewerOf(plugin);
    if (!viewer || viewer->active)
        return false;
    viewer->sampleRate = static_cast<float>(sampleRate);
    viewer->blockSize = static_cast<int32_t>(maxFrames > INT32_MAX ? INT32_MAX : maxFrames);
    viewer->transport.forget();
    viewer->active = true;
    return true;
}

void deactivate(const clap_plugin_t* plugin)
{
    if (ClapViewer* viewer = initializedViewerOf(plugin)) {
        viewer->processing = false;
        viewer->active = false;
    }
}

bool startProcessing(const clap_plugin_t* plugin)
{
    ClapViewer* viewer = initializedViewerOf(plugin);
    if (!viewer || !viewer->active)
        return false;
    viewer->processing = true;
    return true;
}

void stopProcessing(const clap_plugin_t* plugin)
{
    if (ClapViewer* viewer = initializedViewerOf(plugin))
        viewer->processing = false;
}

void reset(const clap_plugin_t*)
{
}

// Notes and parameter changes only; no audio to make. Continue rather than
// sleep: the host keeps calling, so a change of instrument made in the editor
// reaches it with the next block.
clap_process_status process(const clap_plugin_t* plugin, const clap_process_t* block)
{
    ClapViewer* viewer = initializedViewerOf(plugin);
    if (!viewer || !viewer->processing || !block)
        return CLAP_PROCESS_ERROR;
    // A host that runs free of its timeline hands over no transport.
    const bool transportMoved = block->transport &&
        viewer->transport.moved(clapTransportPosition(*block->transport, viewer->sampleRate), block->frames_count);
    if (block->in_events) {
        applyInstrumentEvents(*viewer, *block->in_events);
        MidiMessageBlock midi = clapMidiBlock(*block->in_events);
        midi.transportChanged = transportMoved;
        viewer->core.receiveMidiSkippingEmpty(midi);
    }
    if (block->out_events)
        reportInstrument(*viewer, *block->out_events);
    return CLAP_PROCESS_CONTINUE;
}

const void* getExtension(const clap_plugin_t* plugin, const char* id)
{
    if (!viewerOf(plugin) || !id)
        return nullptr;
    if (std::strcmp(id, CLAP_EXT_NOTE_PORTS) == 0)
        return &viewerNotePorts;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0)
        return &viewerParams;
    if (std::strcmp(id, CLAP_EXT_GUI) == 0)
        return &viewerGui;
    if (std::strcmp(id, CLAP_EXT_STATE) == 0)
        return &viewerState;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0)
        return &viewerTimers;
    return nullptr;
}

void mainThreadCallback(const clap_plugin_t*)
{
}

} // namespace

ClapViewer::ClapViewer(const clap_host_t& host, const ClapPlatform& platform)
    : plugin{&clapDescriptor(), this, init, destroy, activate, deactivate, startProcessing, stopProcessing, reset,
          process, getExtension, mainThreadCallback}
    , host(host)
    , platform(platform)
    , core(platform.makeEditor)
{
    reportedInstrument.store(ViewerCore::selectedInstrument(), std::memory_order_relaxed);
}

bool ClapViewer::onMainThread() const
{
    return !hostThreads || !hostThreads->is_main_thread || hostThreads->is_main_thread(&host);
}

const clap_plugin_t* createClapViewer(const clap_host_t* host, const ClapPlatform& platform)
{
    if (!host || host->clap_version.major < 1)
        return nullptr;
    ClapViewer* viewer = new (std::nothrow) ClapViewer(*host, platform);
    return viewer ? &viewer->plugin : nullptr;
}

ClapViewer* viewerOf(const clap_plugin_t* plugin)
{
    return plugin ? static_cast<ClapViewer*>(plugin->plugin_data) : nullptr;
}

ClapViewer* initializedViewerOf(const clap_plugin_t* plugin)
{
    ClapViewer* viewer = viewerOf(plugin);
    return viewer && viewer->initialized ? viewer : nullptr;
}
