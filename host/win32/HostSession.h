#pragma once
// One run of the host: the plug-in, its window, the processing thread that
// feeds it MIDI, the optional song and keyboard, and the operations a script
// (or the interactive mode) performs on them. Lives on the user-interface
// thread; only the block sink runs on the processing thread.
#include "host/driver/DisplayToggles.h"
#include "host/engine/HostCommandQueue.h"
#include "host/engine/MidiPorts.h"
#include "host/app/HostOptions.h"
#include "host/practice/PracticeReferee.h"
#include "host/engine/ProcessingLoop.h"
#include "host/engine/RgbImage.h"
#include "host/driver/ScriptQuery.h"
#include "host/practice/ScriptedPlayer.h"
#include "host/engine/SongSchedule.h"
#include "host/engine/Transport.h"
#include "host/win32/HostWindow.h"
#include "host/win32/PanelPressWatch.h"
#include "host/win32/PluginHost.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

// Sees each block that carries events right before the plug-in gets it, on
// the processing thread (the latency benchmark's clock starts there).
class BlockWatcher {
public:
    virtual void beforeEvents() = 0;

protected:
    ~BlockWatcher() = default;
};

class HostSession {
public:
    static constexpr double sampleRate = 44100.0;
    static constexpr int32_t blockSize = 512;

    // `song` may be null; it must outlive the session.
    HostSession(const HostOptions& options, const SongSchedule* song);
    ~HostSession();

    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Loads and switches on the plug-in (effOpen, sample rate, block size,
    // program, effMainsChanged 1), shows the window and starts processing.
    bool start(std::string& error);
    // Everything start did, undone in reverse order. Harmless twice.
    void shutdown();

    // Opens the editor inside the window and sizes the window to it; answers
    // what effEditOpen answered.
    intptr_t openEditor();
    void closeEditor();
    void setProgram(int32_t program);

    // A press and release of a mouse button at a point of the window's client
    // area, delivered to the window under it. False when no plug-in window is there.
    bool press(int x, int y, bool rightButton);

    // Hand a command to the processing thread and wait until the block that
    // carried it has reached the plug-in. False if the window was closed meanwhile.
    bool send(const HostCommand& command);
    bool sendMidi(uint8_t status, uint8_t data1, uint8_t data2);
    // Waits until the song reaches its end (once, when looping).
    bool waitForSongEnd(std::string& error);

    // `count` editor idles, with the window's messages handled after each.
    bool idle(int count);
    // Runs as usual (timer idles, messages) for this long.
    bool wait(int milliseconds);
    bool capture(RgbImage& image, std::string& error);

    // The answer to a script's query, as text.
    std::string answer(const Query& query);

    // Opens the editor, plays the song and/or the keyboard until the user closes the window.
    int runInteractive();

    bool windowOpen() const { return window.isOpen(); }

    // Offline rendering (host/win32/SongRender.h): stops the paced processing
    // thread and starts the song from its beginning with the next block; from
    // then on the song moves only by runBlock, on the calling thread.
    void startOfflinePlayback();
    void runBlock(int32_t frames);
    HWND windowHandle() const { return window.handle(); }
    // Highlight and depress as the presses made so far left them.
    const DisplayToggles& displayToggles() const { return toggles; }
    // A practice run (PracticeSession.cpp). The settings take effect with the next block.
    void setPlayAs(int channel);
    void setExpectedChannels(uint32_t channels);
    void setTempo(int percent);
    bool setLoopBars(int first, int last, std::string& error); // 0, 0: no bar loop
    void setWaitForPlayer(bool on);
    // Device -1 closes the output. Processing pauses while the device changes.
    bool switchMidiOutput(int device, std::string& error);
    // A message as the live keyboard sends it, moved to the channel it plays as.
    bool sendFromKeyboard(uint8_t status, uint8_t data1, uint8_t data2);
    // Plays the player's part until the song ends: at every wait, lets go of
    // the keys it pressed last and presses the awaited ones on channel 16.
    bool answerWaits(std::string& error);
    // Prints the practice report and, given a path, writes it there as JSON.
    bool writeReport(const std::string& path, std::string& error);
    // At the end of the run, once: the report, when practice mode is on (and
    // no script step printed one) or a report file was asked for.
    bool finishReport(std::string& error);
    // The plug-in's DLL (an HMODULE).
    void* pluginModule() const { return plugin.moduleHandle(); }
    // The editor's idle rate from now on, in idles a second.
    void setIdleRate(int perSecond);
    // `watcher` (null for none) must outlive the processing thread's use of it.
    void watchBlocks(BlockWatcher* watcher) { blockWatcher.store(watcher, std::memory_order_release); }

private:
    void processBlock(VstEvents* events, const VstTimeInfo& time, int32_t frames);
    void editorIdle();
    void fitWindowToEditor();
    // The text the plug-in writes for a dispatcher opcode (program name,
    // effect name, vendor and product strings), into a generous buffer.
    std::string textAnswer(int32_t opcode);
    bool checkLoopBars(int first, int last, std::string& error) const;
    // A press at this point of our client area, on the window `topChild` of ours.
    void followPanelPress(HWND topChild, int x, int y);
    PracticeRun practiceRun() const;

    HostOptions options;
    const SongSchedule* song;
    PluginHost plugin;
    HostWindow window;
    HostCommandQueue commands;
    Transport transport;
    PracticeSettings settings;
    MidiOutputPort midiOutput;
    PracticeReferee referee;
    DisplayToggles toggles;
    std::unique_ptr<ProcessingLoop> processing;
    MidiInput keyboard;
    PanelPressWatch handPresses;

    std::atomic<BlockWatcher*> blockWatcher{nullptr};
    bool switchedOn = false;
    bool editorIsOpen = false;
    intptr_t editorOpenAnswer = 0;
    bool reportFinished = false;
    bool reportPrinted = false;
    ScriptedPlayer player;

    // Silent audio buffers for the plug-in's audio call, made before processing starts.
    std::vector<float> silence;
    std::vector<float*> inputPointers;
    std::vector<float*> outputPointers;
};
