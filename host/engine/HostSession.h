#pragma once
// One run of the host: the plug-in, its window, the processing thread that
// feeds it MIDI, the optional song and keyboard, and the operations every
// use of the host performs on them. Lives on the user-interface thread; only
// the block sink runs on the processing thread.
//
// The uses (player, practice companion, driver, renderer, latency
// benchmark) sit over it and learn what happens through two kinds of news:
// the blocks handed to the plug-in (SessionListener::onBlock) and the
// presses on the editor's panel (setPanelPressHandler).
#include "host/engine/HostCommandQueue.h"
#include "host/engine/HostWindow.h"
#include "host/engine/MidiPorts.h"
#include "host/engine/LoadedPlugin.h"
#include "host/engine/PracticeSettings.h"
#include "host/engine/ProcessingLoop.h"
#include "host/engine/RgbImage.h"
#include "host/engine/SessionOptions.h"
#include "host/engine/SongSchedule.h"
#include "host/engine/Transport.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>

// Sees each block that carries events right before the plug-in gets it, on
// the processing thread. `eventBars` holds the song bar of each event.
class SessionListener {
public:
    virtual void onBlock(const VstEvents& events, const VstTimeInfo& time, const int* eventBars) = 0;

protected:
    ~SessionListener() = default;
};

class HostSession {
public:
    static constexpr double sampleRate = 44100.0;
    static constexpr int32_t blockSize = 512;

    // `song` may be null; it must outlive the session. `openPlugin` loads
    // the plug-in of options.pluginPath in its format.
    HostSession(const SessionOptions& options, const SongSchedule* song, PluginOpener openPlugin);
    ~HostSession();

    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Before start: `listener` must outlive the session. At most two.
    void addListener(SessionListener* listener);
    // Before start: called with the point of each press on the panel.
    void setPanelPressHandler(std::function<void(int x, int y)> handler)
    {
        window.setPanelPressHandler(std::move(handler));
    }

    // Loads the plug-in, selects its program, switches it on, shows the
    // window and starts processing.
    bool start(std::string& error);
    // Everything start did, undone in reverse order. Harmless twice.
    void shutdown();

    // Opens the editor inside the window and sizes the window to it; answers
    // what the plug-in's open answered.
    intptr_t openEditor();
    void closeEditor();
    // Returns once the plug-in has taken the program, or, rendering offline,
    // when the next block will hand it over.
    void setProgram(int32_t program);

    // A press and release of a mouse button at a point of the window's client
    // area, delivered to the window under it. False when no plug-in window is there.
    bool press(int x, int y, bool rightButton);

    // Hand a command to the processing thread and wait until the block that
    // carried it has reached the plug-in. False if the window was closed meanwhile.
    bool send(const HostCommand& command);
    bool sendMidi(uint8_t status, uint8_t data1, uint8_t data2);
    // Starts the song from its beginning with the next block.
    void play();
    // Waits until the song reaches its end (once, when looping).
    bool waitForSongEnd(std::string& error);

    // `count` editor idles, with the window's events handled after each.
    bool idle(int count);
    // Runs as usual (timer idles, events) for this long.
    bool wait(int milliseconds);
    // The window's client area as the screen shows it, after one idle.
    bool capture(RgbImage& image, std::string& error);

    bool windowOpen() const { return window.isOpen(); }
    void windowSize(int& width, int& height) const { window.clientSize(width, height); }

    // Offline rendering (host/render/SongRender.h): stops the paced processing
    // thread and starts the song from its beginning with the next block; from
    // then on the song moves only by runBlock, on the calling thread.
    void startOfflinePlayback();
    void runBlock(int32_t frames);

    // The editor's idle rate from now on, in idles a second.
    void setIdleRate(int perSecond);
    // Whether the editor's idle redraws the view (a spinning model does), so
    // that a picture taken after an idle shows that frame.
    void setIdleRedraws(bool on) { idleRedraws = on; }

    // The learner's settings; they take effect with the next block.
    PracticeSettings& practiceSettings() { return settings; }
    const PracticeSettings& practiceSettings() const { return settings; }
    // 0, 0: no bar loop. Refused when the song has no such bars.
    bool setLoopBars(int first, int last, std::string& error);
    // A port as SessionOptions::midiOutput names it; empty closes the output.
    // Processing pauses while the port changes.
    bool switchMidiOutput(const std::string& port, std::string& error);
    // A message as the live keyboard sends it, moved to the channel it plays as.
    bool sendFromKeyboard(uint8_t status, uint8_t data1, uint8_t data2);

    // Null before start and after shutdown.
    LoadedPlugin* plugin() { return loaded.get(); }
    const Transport& songTransport() const { return transport; }
    const SongSchedule* songSchedule() const { return song; }
    const SessionOptions& sessionOptions() const { return options; }
    intptr_t editorOpenAnswer() const { return editorAnswer; }

private:
    void processBlock(VstEvents* events, const VstTimeInfo& time, int32_t frames);
    void editorIdle();
    void fitWindowToEditor();
    bool checkLoopBars(int first, int last, std::string& error) const;
    // Marks, on frameClockMs(), the moment right before the host makes the
    // plug-in redraw its view (a block of events, a press, a program, the
    // editor's opening, an idle of a spinning model): a picture shows the
    // first frame begun after the last mark. The processing thread marks too,
    // while the editor is open.
    void markViewChange();

    SessionOptions options;
    const SongSchedule* song;
    PluginOpener openPlugin;
    std::unique_ptr<LoadedPlugin> loaded;
    HostWindow window;
    HostCommandQueue commands;
    Transport transport;
    PracticeSettings settings;
    MidiOutputPort midiOutput;
    std::unique_ptr<ProcessingLoop> processing;
    MidiInput keyboard;

    // Fixed before processing starts; the processing thread only reads them.
    SessionListener* listeners[2] = {};
    int listenerCount = 0;
    // The processing thread reads it too.
    std::atomic<bool> editorIsOpen{false};
    intptr_t editorAnswer = 0;
    // When the host last asked the plug-in to redraw its view (markViewChange).
    std::atomic<double> lastChangeMs{0.0};
    bool idleRedraws = false;
};
