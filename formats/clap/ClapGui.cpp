// The editor embedded in the host's window, at its one size. A host timer
// (timer-support) stands in for VST 2's editor idle: it pumps the panel and
// advances the view's rotation and score read-out. On Linux the 3-D view
// draws on a thread of its own, woken by the notes themselves
// (view3d/ViewThread.h), so a note waits for no timer; on Windows the view's
// window is served by the host's message loop. A host without timer-support
// gets an editor that shows the notes but neither turns on its own nor
// answers the panel's buttons on Linux.
#include "formats/clap/ClapParams.h"
#include "formats/clap/ClapViewer.h"

#include <cstring>

namespace {

// 50 a second, within the 15 to 60 idles a second VST 2 hosts call.
constexpr uint32_t idlePeriodMs = 20;

bool supported(const ClapViewer& viewer, const char* api, bool isFloating)
{
    return api && !isFloating && std::strcmp(api, viewer.platform.windowApi) == 0;
}

ClapViewer* guiViewerOf(const clap_plugin_t* plugin)
{
    ClapViewer* viewer = initializedViewerOf(plugin);
    return viewer && viewer->guiCreated && viewer->onMainThread() ? viewer : nullptr;
}

bool isApiSupported(const clap_plugin_t* plugin, const char* api, bool isFloating)
{
    const ClapViewer* viewer = initializedViewerOf(plugin);
    return viewer && viewer->core.hasEditor() && supported(*viewer, api, isFloating);
}

bool getPreferredApi(const clap_plugin_t* plugin, const char** api, bool* isFloating)
{
    const ClapViewer* viewer = initializedViewerOf(plugin);
    if (!viewer || !viewer->core.hasEditor() || !api || !isFloating)
        return false;
    *api = viewer->platform.windowApi;
    *isFloating = false;
    return true;
}

bool create(const clap_plugin_t* plugin, const char* api, bool isFloating)
{
    ClapViewer* viewer = initializedViewerOf(plugin);
    if (!viewer || viewer->guiCreated || !viewer->onMainThread() || !isApiSupported(plugin, api, isFloating))
        return false;
    viewer->guiCreated = true;
    return true;
}

void stopIdleTimer(ClapViewer& viewer)
{
    if (viewer.idleTimer != CLAP_INVALID_ID && viewer.hostTimers && viewer.hostTimers->unregister_timer)
        viewer.hostTimers->unregister_timer(&viewer.host, viewer.idleTimer);
    viewer.idleTimer = CLAP_INVALID_ID;
}

void destroy(const clap_plugin_t* plugin)
{
    if (ClapViewer* viewer = guiViewerOf(plugin))
        releaseGui(*viewer);
}

bool setScale(const clap_plugin_t*, double)
{
    return false;
}

bool getSize(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height)
{
    const ClapViewer* viewer = guiViewerOf(plugin);
    int32_t editorWidth = 0;
    int32_t editorHeight = 0;
    if (!viewer || !width || !height || !viewer->core.editorSize(editorWidth, editorHeight))
        return false;
    *width = static_cast<uint32_t>(editorWidth);
    *height = static_cast<uint32_t>(editorHeight);
    return true;
}

bool canResize(const clap_plugin_t*)
{
    return false;
}

bool getResizeHints(const clap_plugin_t*, clap_gui_resize_hints_t*)
{
    return false;
}

bool adjustSize(const clap_plugin_t*, uint32_t*, uint32_t*)
{
    return false;
}

// Only to the size it has.
bool setSize(const clap_plugin_t* plugin, uint32_t width, uint32_t height)
{
    uint32_t ownWidth = 0;
    uint32_t ownHeight = 0;
    return getSize(plugin, &ownWidth, &ownHeight) && width == ownWidth && height == ownHeight;
}

bool setParent(const clap_plugin_t* plugin, const clap_window_t* window)
{
    ClapViewer* viewer = guiViewerOf(plugin);
    if (!viewer || !window || !window->api || std::strcmp(window->api, viewer->platform.windowApi) != 0)
        return false;
    void* parent = viewer->platform.parentOf(*window);
    if (!parent)
        return false;
    stopIdleTimer(*viewer);
    viewer->editorOpen = viewer->core.openEditor(parent);
    if (viewer->editorOpen && viewer->hostTimers && viewer->hostTimers->register_timer) {
        clap_id timer = CLAP_INVALID_ID;
        if (viewer->hostTimers->register_timer(&viewer->host, idlePeriodMs, &timer))
            viewer->idleTimer = timer;
    }
    return viewer->editorOpen;
}

bool setTransient(const clap_plugin_t*, const clap_window_t*)
{
    return false;
}

void suggestTitle(const clap_plugin_t*, const char*)
{
}

// The editor lives in the host's window, which the host shows and hides.
bool showOrHide(const clap_plugin_t* plugin)
{
    const ClapViewer* viewer = guiViewerOf(plugin);
    return viewer && viewer->editorOpen;
}

// The editor's idle, and a flush asked for when the editor chose another
// instrument while the host is not processing.
void onTimer(const clap_plugin_t* plugin, clap_id timer)
{
    ClapViewer* viewer = initializedViewerOf(plugin);
    if (!viewer || timer == CLAP_INVALID_ID || timer != viewer->idleTimer)
        return;
    viewer->core.idleEditor();
    if (!viewer->processing && instrumentUnreported(*viewer) && viewer->hostParams && viewer->hostParams->request_flush)
        viewer->hostParams->request_flush(&viewer->host);
}

} // namespace

void releaseGui(ClapViewer& viewer)
{
    stopIdleTimer(viewer);
    viewer.core.closeEditor();
    viewer.editorOpen = false;
    viewer.guiCreated = false;
}

const clap_plugin_gui_t viewerGui = {isApiSupported, getPreferredApi, create, destroy, setScale, getSize, canResize,
    getResizeHints, adjustSize, setSize, setParent, setTransient, suggestTitle, showOrHide, showOrHide};

const clap_plugin_timer_support_t viewerTimers = {onTimer};
