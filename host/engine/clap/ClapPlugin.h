#pragma once
// A CLAP plug-in loaded the way CLAP hosts load one: the library's
// `clap_entry` initialised, the first plug-in of its factory with a note
// input made with our clap_host and initialised, driven through the
// session's format-neutral interface. The program is the plug-in's
// "Instrument" parameter; the editor is its gui, embedded in the host's
// window. The plug-in's timers run at each editor idle (the host's idle
// tick is their clock) and its file descriptors in the window's event loop.
#include "formats/clap/abi/Entry.h"
#include "formats/clap/abi/Gui.h"
#include "formats/clap/abi/Params.h"
#include "formats/clap/abi/PosixFdSupport.h"
#include "formats/clap/abi/TimerSupport.h"
#include "host/engine/LoadedPlugin.h"
#include "host/engine/PluginLibrary.h"
#include "host/engine/clap/ClapInputEvents.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class ClapPlugin final : public LoadedPlugin {
public:
    // Null with a message when the library's entry is missing or of another
    // major version, offers no plug-in factory, or none of the factory's
    // plug-ins can be made and takes notes.
    static std::unique_ptr<ClapPlugin> open(std::unique_ptr<PluginLibrary> library, const std::string& path,
        double sampleRate, int32_t blockSize, std::string& error);
    // The plug-in destroyed, the entry's deinit called, the binary unloaded.
    ~ClapPlugin() override;

    ClapPlugin(const ClapPlugin&) = delete;
    ClapPlugin& operator=(const ClapPlugin&) = delete;

    bool switchOn(std::string& error) override;
    void switchOff() override;
    void process(VstEvents* events, const VstTimeInfo& time, int32_t frames) override;
    intptr_t openEditor(void* parent) override;
    void idleEditor() override;
    void closeEditor() override;
    bool editorSize(int& width, int& height) override;
    bool selectProgram(int32_t program) override;
    int32_t selectedProgram() override;
    std::string programName() override;
    void useEventLoop(HostWindow* window) override;
    void* moduleHandle() const override { return library->handle(); }

private:
    struct Descriptor {
        int fd;
        clap_posix_fd_flags_t flags;
    };

    ClapPlugin(std::unique_ptr<PluginLibrary> library, double sampleRate, int32_t blockSize);
    bool makePlugin(const clap_plugin_factory_t& factory, std::string& reason);
    // Whether the plug-in's first note input takes a dialect we send; chooses it.
    bool takesNotes();
    // The extensions the host uses, and the "Instrument" parameter.
    void findExtensions();
    void watch(const Descriptor& descriptor);

    static ClapPlugin& of(const clap_host_t* host) { return *static_cast<ClapPlugin*>(host->host_data); }
    static const void* hostExtension(const clap_host_t* host, const char* id);
    static void requestNothing(const clap_host_t*) { }
    static void requestCallback(const clap_host_t* host);
    static bool registerTimer(const clap_host_t* host, uint32_t periodMs, clap_id* id);
    static bool unregisterTimer(const clap_host_t* host, clap_id id);
    static bool registerFd(const clap_host_t* host, int fd, clap_posix_fd_flags_t flags);
    static bool unregisterFd(const clap_host_t* host, int fd);
    static bool isMainThread(const clap_host_t* host);
    static bool isAudioThread(const clap_host_t* host);
    static bool requestResize(const clap_host_t* host, uint32_t width, uint32_t height);

    std::unique_ptr<PluginLibrary> library;
    double sampleRate;
    int32_t blockSize;
    clap_host_t host{};
    const clap_plugin_entry_t* entry = nullptr;
    const clap_plugin_t* plugin = nullptr;
    const clap_plugin_gui_t* gui = nullptr;
    const clap_plugin_params_t* params = nullptr;
    const clap_plugin_timer_support_t* timers = nullptr;
    const clap_plugin_posix_fd_support_t* fds = nullptr;
    std::thread::id mainThread;
    HostWindow* eventLoop = nullptr;

    ClapInputEvents::Dialect dialect = ClapInputEvents::Dialect::Midi;
    bool hasInstrument = false;
    clap_param_info_t instrument{};

    bool active = false;
    bool editorMade = false;
    // Processing thread only, and switchOff once it has stopped.
    bool processing = false;
    int64_t steadyTime = 0;
    ClapInputEvents input;
    clap_output_events_t output{};
    // The program chosen while switched on, for the next block; -1: none.
    std::atomic<int32_t> pendingProgram{-1};
    std::atomic<bool> callbackWanted{false};

    std::vector<clap_id> timerList;
    clap_id nextTimer = 1;
    std::vector<Descriptor> descriptors;
};
