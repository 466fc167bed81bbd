#pragma once
// One instance of the plug-in as a CLAP host holds it: the plug-in record the
// host calls through, the host that made it, and the core it drives.
//
// Threads, as CLAP has them: `process`, and `flush` outside it, on the audio
// thread (or, for flush, the main thread while not processing); everything
// else on the main thread. The host's thread-check, where offered, lets the
// calls that must run on the main thread refuse any other.
#include "core/TransportWatch.h"
#include "core/ViewerCore.h"
#include "formats/clap/ClapEntry.h"
#include "formats/clap/abi/Entry.h"
#include "formats/clap/abi/Gui.h"
#include "formats/clap/abi/NotePorts.h"
#include "formats/clap/abi/Params.h"
#include "formats/clap/abi/State.h"
#include "formats/clap/abi/ThreadCheck.h"
#include "formats/clap/abi/TimerSupport.h"

#include <atomic>

struct ClapViewer {
    ClapViewer(const clap_host_t& host, const ClapPlatform& platform);

    clap_plugin_t plugin;
    const clap_host_t& host;
    const ClapPlatform& platform;
    ViewerCore core;

    // The host's extensions, asked for at init; null where it offers none.
    const clap_host_params_t* hostParams = nullptr;
    const clap_host_timer_support_t* hostTimers = nullptr;
    const clap_host_thread_check_t* hostThreads = nullptr;

    bool initialized = false;
    bool active = false;
    // Set on the audio thread, read by the main thread's timer too.
    std::atomic<bool> processing{false};
    bool guiCreated = false;
    bool editorOpen = false;
    clap_id idleTimer = CLAP_INVALID_ID;
    // Audio thread only, but for `activate`, which starts it afresh.
    TransportWatch transport;
    // For the diagnostic log, and the transport's position: what activate said.
    float sampleRate = 0.0f;
    int32_t blockSize = 0;
    // The instrument the host last heard of, from its own events or ours:
    // another one now (chosen in the editor, or in another instance) is sent
    // in the next `process` or `flush`.
    std::atomic<int32_t> reportedInstrument{ViewerCore::defaultInstrument};

    // True unless the host says the calling thread is not its main thread.
    bool onMainThread() const;
};

// A new instance for `host`, or null when the host is unusable or memory is
// short. The record is the host's until it calls `destroy`.
const clap_plugin_t* createClapViewer(const clap_host_t* host, const ClapPlatform& platform);

// The instance behind a record the host hands back; null for null or for a
// record that is not initialized where that is asked for.
ClapViewer* viewerOf(const clap_plugin_t* plugin);
ClapViewer* initializedViewerOf(const clap_plugin_t* plugin);

// Closes the editor and stops its timer, whatever the calling thread; for
// `destroy`, which the host may call with the editor still up.
void releaseGui(ClapViewer& viewer);

// The instance's extensions (formats/clap/Clap*.cpp).
extern const clap_plugin_note_ports_t viewerNotePorts;
extern const clap_plugin_params_t viewerParams;
extern const clap_plugin_gui_t viewerGui;
extern const clap_plugin_state_t viewerState;
extern const clap_plugin_timer_support_t viewerTimers;
