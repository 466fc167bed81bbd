#include "host/engine/clap/ClapPlugin.h"

#include "formats/clap/abi/NotePorts.h"
#include "formats/clap/abi/ThreadCheck.h"

#include <cmath>
#include <cstring>

namespace {

// Set on the thread that processes blocks, for the plug-in's thread check.
thread_local bool onAudioThread = false;

constexpr int largestSide = 4096;

// The transport's time as CLAP hands it over with each block.
clap_event_transport_t clapTransport(const VstTimeInfo& time)
{
    clap_event_transport_t transport{};
    transport.header = {sizeof transport, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_TRANSPORT, 0};
    transport.flags = CLAP_TRANSPORT_HAS_TEMPO | CLAP_TRANSPORT_HAS_BEATS_TIMELINE | CLAP_TRANSPORT_HAS_TIME_SIGNATURE;
    if (time.flags & kVstTransportPlaying)
        transport.flags |= CLAP_TRANSPORT_IS_PLAYING;
    if (time.sampleRate > 0.0) {
        transport.flags |= CLAP_TRANSPORT_HAS_SECONDS_TIMELINE;
        transport.song_pos_seconds = std::llround(time.samplePos / time.sampleRate * CLAP_SECTIME_FACTOR);
    }
    transport.song_pos_beats = std::llround(time.ppqPos * CLAP_BEATTIME_FACTOR);
    transport.tempo = time.tempo;
    transport.tsig_num = static_cast<uint16_t>(time.timeSigNumerator);
    transport.tsig_denom = static_cast<uint16_t>(time.timeSigDenominator);
    return transport;
}

// The plug-in's events are not read: the host has no use for its output.
bool dropEvent(const clap_output_events_t*, const clap_event_header_t*)
{
    return true;
}

void noHints(const clap_host_t*)
{
}
bool noRequest(const clap_host_t*)
{
    return false;
}
void guiClosed(const clap_host_t*, bool)
{
}
void noRescan(const clap_host_t*, uint32_t)
{
}
void noClear(const clap_host_t*, clap_id, uint32_t)
{
}
void noFlush(const clap_host_t*)
{
}
uint32_t hostDialects(const clap_host_t*)
{
    return CLAP_NOTE_DIALECT_CLAP | CLAP_NOTE_DIALECT_MIDI;
}

const clap_host_params_t hostParams = {noRescan, noClear, noFlush};
const clap_host_note_ports_t hostNotePorts = {hostDialects, noRescan};

// The window's descriptor events and CLAP's, which need not share their values.
unsigned windowEvents(clap_posix_fd_flags_t flags)
{
    return ((flags & CLAP_POSIX_FD_READ) ? HostWindow::DescriptorRead : 0u) |
        ((flags & CLAP_POSIX_FD_WRITE) ? HostWindow::DescriptorWrite : 0u) |
        ((flags & CLAP_POSIX_FD_ERROR) ? HostWindow::DescriptorError : 0u);
}

clap_posix_fd_flags_t clapEvents(unsigned events)
{
    return ((events & HostWindow::DescriptorRead) ? CLAP_POSIX_FD_READ : 0u) |
        ((events & HostWindow::DescriptorWrite) ? CLAP_POSIX_FD_WRITE : 0u) |
        ((events & HostWindow::DescriptorError) ? CLAP_POSIX_FD_ERROR : 0u);
}

} // namespace

ClapPlugin::ClapPlugin(std::unique_ptr<PluginLibrary> library, double sampleRate, int32_t blockSize)
    : library(std::move(library))
    , sampleRate(sampleRate)
    , blockSize(blockSize)
    , mainThread(std::this_thread::get_id())
{
    host.clap_version = CLAP_VERSION;
    host.host_data = this;
    host.name = "Qarn Host";
    host.vendor = "Qarn";
    host.url = "";
    host.version = "1";
    host.get_extension = hostExtension;
    host.request_restart = requestNothing;
    host.request_process = requestNothing;
    host.request_callback = requestCallback;
    output.ctx = nullptr;
    output.try_push = dropEvent;
}

std::unique_ptr<ClapPlugin> ClapPlugin::open(std::unique_ptr<PluginLibrary> library, const std::string& path,
    double sampleRate, int32_t blockSize, std::string& error)
{
    const auto* entry = static_cast<const clap_plugin_entry_t*>(library->symbol("clap_entry"));
    if (!entry) {
        error = path + ": not a CLAP plug-in, it exports no \"clap_entry\"";
        return nullptr;
    }
    if (entry->clap_version.major != 1 || !entry->init || !entry->deinit || !entry->get_factory) {
        error = path + ": its CLAP entry is of version " + std::to_string(entry->clap_version.major) + "." +
            std::to_string(entry->clap_version.minor) + " or incomplete; this host loads 1.x";
        return nullptr;
    }
    std::unique_ptr<ClapPlugin> loaded(new ClapPlugin(std::move(library), sampleRate, blockSize));
    if (!entry->init(path.c_str())) {
        error = path + ": the CLAP entry's init failed";
        return nullptr;
    }
    loaded->entry = entry;
    const auto* factory = static_cast<const clap_plugin_factory_t*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
    std::string reason = "its CLAP entry offers no plug-in factory";
    if (!factory || !loaded->makePlugin(*factory, reason)) {
        error = path + ": " + reason;
        return nullptr;
    }
    loaded->findExtensions();
    return loaded;
}

bool ClapPlugin::makePlugin(const clap_plugin_factory_t& factory, std::string& reason)
{
    const bool complete = factory.get_plugin_count && factory.get_plugin_descriptor && factory.create_plugin;
    const uint32_t count = complete ? factory.get_plugin_count(&factory) : 0;
    reason = count == 0 ? "its CLAP factory holds no plug-in"
                        : "none of the " + std::to_string(count) + " plug-ins of its CLAP factory takes notes";
    for (uint32_t i = 0; i < count; ++i) {
        const clap_plugin_descriptor_t* descriptor = factory.get_plugin_descriptor(&factory, i);
        if (!descriptor || !descriptor->id)
            continue;
        const clap_plugin_t* made = factory.create_plugin(&factory, &host, descriptor->id);
        if (!made)
            continue;
        plugin = made;
        if (plugin->init(plugin) && takesNotes())
            return true;
        plugin->destroy(plugin);
        plugin = nullptr;
    }
    return false;
}

bool ClapPlugin::takesNotes()
{
    const auto* ports =
        static_cast<const clap_plugin_note_ports_t*>(plugin->get_extension(plugin, CLAP_EXT_NOTE_PORTS));
    clap_note_port_info_t info{};
    if (!ports || ports->count(plugin, true) == 0 || !ports->get(plugin, 0, true, &info))
        return false;
    // MIDI carries every message the host sends; CLAP notes only notes.
    if (info.supported_dialects & CLAP_NOTE_DIALECT_MIDI)
        dialect = ClapInputEvents::Dialect::Midi;
    else if (info.supported_dialects & CLAP_NOTE_DIALECT_CLAP)
        dialect = ClapInputEvents::Dialect::ClapNotes;
    else
        return false;
    return true;
}

void ClapPlugin::findExtensions()
{
    gui = static_cast<const clap_plugin_gui_t*>(plugin->get_extension(plugin, CLAP_EXT_GUI));
    params = static_cast<const clap_plugin_params_t*>(plugin->get_extension(plugin, CLAP_EXT_PARAMS));
    timers = static_cast<const clap_plugin_timer_support_t*>(plugin->get_extension(plugin, CLAP_EXT_TIMER_SUPPORT));
    fds = static_cast<const clap_plugin_posix_fd_support_t*>(plugin->get_extension(plugin, CLAP_EXT_POSIX_FD_SUPPORT));
    const uint32_t count = params ? params->count(plugin) : 0;
    for (uint32_t i = 0; i < count; ++i) {
        clap_param_info_t info{};
        if (params->get_info(plugin, i, &info) && std::strncmp(info.name, "Instrument", sizeof info.name) == 0) {
            instrument = info;
            hasInstrument = true;
            return;
        }
    }
}

ClapPlugin::~ClapPlugin()
{
    closeEditor();
    switchOff();
    if (plugin)
        plugin->destroy(plugin);
    plugin = nullptr;
    useEventLoop(nullptr);
    if (entry)
        entry->deinit();
    library->unload();
}

bool ClapPlugin::switchOn(std::string& error)
{
    input.reserve(static_cast<size_t>(blockSize) * 2);
    if (!plugin->activate(plugin, sampleRate, 1, static_cast<uint32_t>(blockSize))) {
        error = "the CLAP plug-in refused to be activated";
        return false;
    }
    active = true;
    return true;
}

void ClapPlugin::switchOff()
{
    if (!active)
        return;
    if (processing) {
        // The processing thread has stopped; this thread stands in for it.
        onAudioThread = true;
        plugin->stop_processing(plugin);
        onAudioThread = false;
        processing = false;
    }
    plugin->deactivate(plugin);
    active = false;
}

void ClapPlugin::process(VstEvents* events, const VstTimeInfo& time, int32_t frames)
{
    onAudioThread = true;
    if (!processing)
        processing = plugin->start_processing(plugin);
    input.clear();
    const int32_t program = pendingProgram.exchange(-1, std::memory_order_acquire);
    if (program >= 0)
        input.addParameterValue(instrument.id, instrument.cookie, program);
    if (events)
        input.addMidi(*events, dialect);
    const clap_event_transport_t transport = clapTransport(time);
    clap_process_t block{};
    block.steady_time = steadyTime;
    block.frames_count = static_cast<uint32_t>(frames);
    block.transport = &transport;
    block.in_events = input.list();
    block.out_events = &output;
    if (processing)
        plugin->process(plugin, &block);
    steadyTime += frames;
    // An offline render processes on the user-interface thread.
    onAudioThread = false;
}

intptr_t ClapPlugin::openEditor(void* parent)
{
    if (!gui || editorMade)
        return 0;
    // The plug-in names the window system of this platform it prefers.
    const char* api = nullptr;
    bool floating = false;
    if (!gui->get_preferred_api(plugin, &api, &floating) || !api)
        return 0;
    clap_window_t window{};
    window.api = api;
    if (std::strcmp(api, CLAP_WINDOW_API_X11) == 0)
        window.x11 = static_cast<clap_xwnd>(reinterpret_cast<uintptr_t>(parent));
    else if (std::strcmp(api, CLAP_WINDOW_API_WIN32) == 0)
        window.win32 = parent;
    else
        return 0;
    if (!gui->create(plugin, api, false))
        return 0;
    editorMade = true;
    return gui->set_parent(plugin, &window) && gui->show(plugin) ? 1 : 0;
}

void ClapPlugin::idleEditor()
{
    if (callbackWanted.exchange(false))
        plugin->on_main_thread(plugin);
    if (!timers)
        return;
    // A timer may go while another runs: each is looked up again.
    for (size_t i = 0; i < timerList.size(); ++i)
        timers->on_timer(plugin, timerList[i]);
}

void ClapPlugin::closeEditor()
{
    if (!editorMade)
        return;
    gui->destroy(plugin);
    editorMade = false;
}

bool ClapPlugin::editorSize(int& width, int& height)
{
    uint32_t w = 0;
    uint32_t h = 0;
    if (!gui || !gui->get_size(plugin, &w, &h) || w == 0 || h == 0 || w > largestSide || h > largestSide)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

bool ClapPlugin::selectProgram(int32_t program)
{
    if (!hasInstrument)
        return false;
    if (active) {
        pendingProgram.store(program, std::memory_order_release);
        return true;
    }
    // Not yet processing: the parameter goes through the plug-in's flush.
    ClapInputEvents change;
    change.addParameterValue(instrument.id, instrument.cookie, program);
    params->flush(plugin, change.list(), &output);
    return false;
}

int32_t ClapPlugin::selectedProgram()
{
    double value = 0.0;
    if (!hasInstrument || !params->get_value(plugin, instrument.id, &value))
        return 0;
    return static_cast<int32_t>(std::lround(value));
}

std::string ClapPlugin::programName()
{
    double value = 0.0;
    char text[CLAP_NAME_SIZE] = {};
    if (!hasInstrument || !params->get_value(plugin, instrument.id, &value) ||
        !params->value_to_text(plugin, instrument.id, value, text, sizeof text))
        return "";
    text[sizeof text - 1] = '\0';
    return text;
}

void ClapPlugin::useEventLoop(HostWindow* window)
{
    if (eventLoop) {
        for (const Descriptor& descriptor : descriptors)
            eventLoop->stopWatching(descriptor.fd);
    }
    eventLoop = window;
    for (const Descriptor& descriptor : descriptors)
        watch(descriptor);
}

void ClapPlugin::watch(const Descriptor& descriptor)
{
    if (!eventLoop || !fds)
        return;
    const int fd = descriptor.fd;
    eventLoop->watchDescriptor(fd, windowEvents(descriptor.flags),
        [this, fd](unsigned events) { fds->on_fd(plugin, fd, clapEvents(events)); });
}

const void* ClapPlugin::hostExtension(const clap_host_t*, const char* id)
{
    static const clap_host_gui_t hostGui = {noHints, requestResize, noRequest, noRequest, guiClosed};
    static const clap_host_timer_support_t hostTimers = {registerTimer, unregisterTimer};
    static const clap_host_posix_fd_support_t hostFds = {registerFd, registerFd, unregisterFd};
    static const clap_host_thread_check_t hostThreads = {isMainThread, isAudioThread};
    if (!id)
        return nullptr;
    if (std::strcmp(id, CLAP_EXT_GUI) == 0)
        return &hostGui;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0)
        return &hostTimers;
    if (std::strcmp(id, CLAP_EXT_POSIX_FD_SUPPORT) == 0)
        return HostWindow::watchesDescriptors() ? &hostFds : nullptr;
    if (std::strcmp(id, CLAP_EXT_THREAD_CHECK) == 0)
        return &hostThreads;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0)
        return &hostParams;
    if (std::strcmp(id, CLAP_EXT_NOTE_PORTS) == 0)
        return &hostNotePorts;
    return nullptr;
}

void ClapPlugin::requestCallback(const clap_host_t* host)
{
    of(host).callbackWanted.store(true);
}

// Every timer runs at each editor idle, whatever its period: the host's idle
// tick (about 30 a second) is the clock, and a script's idle steps idle the
// plug-in as they idle a VST 2 editor.
bool ClapPlugin::registerTimer(const clap_host_t* host, uint32_t, clap_id* id)
{
    ClapPlugin& self = of(host);
    if (!id || !isMainThread(host))
        return false;
    *id = self.nextTimer++;
    self.timerList.push_back(*id);
    return true;
}

bool ClapPlugin::unregisterTimer(const clap_host_t* host, clap_id id)
{
    std::vector<clap_id>& list = of(host).timerList;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (*it == id) {
            list.erase(it);
            return true;
        }
    }
    return false;
}

// Both register_fd and modify_fd: a descriptor watched again takes its new flags.
bool ClapPlugin::registerFd(const clap_host_t* host, int fd, clap_posix_fd_flags_t flags)
{
    ClapPlugin& self = of(host);
    if (fd < 0 || !isMainThread(host))
        return false;
    Descriptor descriptor{fd, flags};
    bool known = false;
    for (Descriptor& existing : self.descriptors) {
        if (existing.fd == fd) {
            existing.flags = flags;
            known = true;
        }
    }
    if (!known)
        self.descriptors.push_back(descriptor);
    self.watch(descriptor);
    return true;
}

bool ClapPlugin::unregisterFd(const clap_host_t* host, int fd)
{
    ClapPlugin& self = of(host);
    for (auto it = self.descriptors.begin(); it != self.descriptors.end(); ++it) {
        if (it->fd == fd) {
            self.descriptors.erase(it);
            if (self.eventLoop)
                self.eventLoop->stopWatching(fd);
            return true;
        }
    }
    return false;
}

bool ClapPlugin::isMainThread(const clap_host_t* host)
{
    return std::this_thread::get_id() == of(host).mainThread;
}

bool ClapPlugin::isAudioThread(const clap_host_t*)
{
    return onAudioThread;
}

bool ClapPlugin::requestResize(const clap_host_t* host, uint32_t width, uint32_t height)
{
    ClapPlugin& self = of(host);
    return self.onSizeWindow && width > 0 && height > 0 && width <= largestSide && height <= largestSide &&
        self.onSizeWindow(static_cast<int>(width), static_cast<int>(height));
}
