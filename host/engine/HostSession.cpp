#include "host/engine/HostSession.h"

#include "host/engine/GlFrameHooks.h"
#include "host/engine/MidiPortChoice.h"
#include "host/engine/TextFields.h"

#include <algorithm>
#include <chrono>

namespace {

// Used until the editor reports a size of its own.
constexpr int fallbackWidth = 640;
constexpr int fallbackHeight = 480;
// The processing thread takes a command within one block (12 ms); waiting
// longer than this means it is stuck, and a script should say so, not hang.
constexpr auto commandPatience = std::chrono::seconds(10);

} // namespace

HostSession::HostSession(const SessionOptions& options, const SongSchedule* song, PluginOpener openPlugin)
    : options(options)
    , song(song)
    , openPlugin(openPlugin)
    , transport(song, blockSize, sampleRate, options.loop)
{
}

HostSession::~HostSession()
{
    shutdown();
}

void HostSession::addListener(SessionListener* listener)
{
    if (listener && listenerCount < 2 && !processing)
        listeners[listenerCount++] = listener;
}

bool HostSession::start(std::string& error)
{
    loaded = openPlugin(options.pluginPath, sampleRate, blockSize, error);
    if (!loaded)
        return false;
    if (options.hasProgram)
        setProgram(options.program);

    // The learner's settings, before the first block.
    if (!checkLoopBars(options.practice.loopFirstBar, options.practice.loopLastBar, error))
        return false;
    settings.apply(options.practice, playAsChannel(options.practice, !options.midiInput.empty(), song != nullptr));
    transport.practiseWith(&settings);
    transport.playTo(&midiOutput);
    if (!options.midiOutput.empty() && !switchMidiOutput(options.midiOutput, error))
        return false;

    if (!loaded->switchOn(error))
        return false;

    std::string title = "Qarn Host - " + fileNameOf(options.pluginPath);
    if (song)
        title += " - " + fileNameOf(options.songPath);
    if (!window.create(title, fallbackWidth, fallbackHeight, error))
        return false;
    window.setCloseHandler([this] { closeEditor(); });
    loaded->useEventLoop(&window);
    loaded->onSizeWindow = [this](int width, int height) {
        window.setClientSize(width, height);
        return true;
    };

    processing = std::make_unique<ProcessingLoop>(
        transport, commands,
        [this](VstEvents* events, const VstTimeInfo& time, int32_t frames) { processBlock(events, time, frames); },
        blockSize, sampleRate);
    processing->start();

    if (!options.midiInput.empty()) {
        int port = 0;
        const std::vector<std::string> names = MidiInput::portNames();
        if (!chooseMidiPort(options.midiInput, {"MIDI input", "--list-midi-in", names}, port, error))
            return false;
        auto receive = [this](uint8_t status, uint8_t data1, uint8_t data2) {
            commands.postMidi(keyboardStatus(status, settings.playAs.load()), data1, data2);
        };
        if (!keyboard.open(port, receive, error))
            return false;
    }
    return true;
}

void HostSession::shutdown()
{
    keyboard.close();
    if (processing) {
        processing->stop();
        processing.reset();
    }
    midiOutput.close();
    closeEditor();
    if (loaded)
        loaded->useEventLoop(nullptr);
    window.destroy();
    if (loaded)
        loaded->switchOff();
    loaded.reset();
}

void HostSession::processBlock(VstEvents* events, const VstTimeInfo& time, int32_t frames)
{
    if (events) {
        for (int i = 0; i < listenerCount; ++i)
            listeners[i]->onBlock(*events, time, transport.eventBars().data());
        // The plug-in redraws its view after every block of events.
        if (editorIsOpen.load(std::memory_order_acquire))
            markViewChange();
    }
    loaded->process(events, time, frames);
}

intptr_t HostSession::openEditor()
{
    if (editorIsOpen || !window.isOpen() || !loaded)
        return editorAnswer;
    fitWindowToEditor();
    markViewChange();
    editorAnswer = loaded->openEditor(window.editorParent());
    // Every open gets its close, whatever open answered: a plug-in may have
    // built windows before reporting a failure.
    editorIsOpen.store(true, std::memory_order_release);
    fitWindowToEditor();
    window.growToChildren();
    // A spinning model turns one degree per idle.
    if (options.idleTimer)
        window.startIdleTimer([this] { editorIdle(); });
    window.pumpMessages();
    return editorAnswer;
}

void HostSession::closeEditor()
{
    if (!editorIsOpen)
        return;
    window.stopIdleTimer();
    editorIsOpen.store(false, std::memory_order_release);
    loaded->closeEditor();
}

void HostSession::fitWindowToEditor()
{
    int width = 0;
    int height = 0;
    if (loaded->editorSize(width, height))
        window.setClientSize(width, height);
}

void HostSession::editorIdle()
{
    if (!editorIsOpen)
        return;
    if (idleRedraws)
        markViewChange();
    loaded->idleEditor();
}

void HostSession::markViewChange()
{
    lastChangeMs.store(frameClockMs(), std::memory_order_release);
}

void HostSession::setIdleRate(int perSecond)
{
    window.setIdleInterval(1000 / std::max(perSecond, 1));
}

void HostSession::setProgram(int32_t program)
{
    if (!loaded)
        return;
    if (editorIsOpen)
        markViewChange();
    if (loaded->selectProgram(program) && processing && processing->running()) {
        HostCommand command;
        command.kind = HostCommandKind::Block;
        send(command);
    }
}

bool HostSession::press(int x, int y, bool rightButton)
{
    markViewChange();
    if (!window.press(x, y, rightButton))
        return false;
    window.pumpMessages();
    // The press takes effect now, before the host's next note, as it does
    // where presses arrive at once: the host follows it from now on.
    if (HostWindow::pressesWaitForIdle())
        editorIdle();
    return true;
}

bool HostSession::send(const HostCommand& command)
{
    const uint32_t ticket = commands.post(command);
    const auto start = std::chrono::steady_clock::now();
    while (!commands.isDone(ticket)) {
        if (!window.runFor(1) || std::chrono::steady_clock::now() - start > commandPatience)
            return false;
    }
    return true;
}

bool HostSession::sendMidi(uint8_t status, uint8_t data1, uint8_t data2)
{
    return send(midiCommand(status, data1, data2));
}

bool HostSession::waitForSongEnd(std::string& error)
{
    if (!song) {
        error = "there is no song to wait for; give one on the command line";
        return false;
    }
    // Read the count first: a song ending between the two reads still ends the wait.
    const uint32_t endsBefore = transport.songEnds();
    while (transport.isPlaying() && transport.songEnds() == endsBefore) {
        if (!window.runFor(10)) {
            error = "the window was closed";
            return false;
        }
    }
    return true;
}

bool HostSession::idle(int count)
{
    for (int i = 0; i < count; ++i) {
        editorIdle();
        if (!window.pumpMessages())
            return false;
    }
    return true;
}

bool HostSession::wait(int milliseconds)
{
    return window.runFor(milliseconds);
}

bool HostSession::capture(RgbImage& image, std::string& error)
{
    // One idle first, so that a view that draws at idle shows what is current.
    if (!idle(1)) {
        error = "the window was closed";
        return false;
    }
    return window.capture(image, error, lastChangeMs.load(std::memory_order_acquire));
}

void HostSession::play()
{
    HostCommand command;
    command.kind = HostCommandKind::Play;
    commands.post(command);
}

void HostSession::startOfflinePlayback()
{
    if (processing)
        processing->stop();
    play();
}

void HostSession::runBlock(int32_t frames)
{
    if (processing)
        processing->runBlock(frames);
}

bool HostSession::checkLoopBars(int first, int last, std::string& error) const
{
    if (first == 0)
        return true;
    if (!song) {
        error = "a bar loop needs a song";
        return false;
    }
    if (last > song->barCount()) {
        error = "bars " + std::to_string(first) + "-" + std::to_string(last) + ": the song has " +
            std::to_string(song->barCount()) + " bars";
        return false;
    }
    return true;
}

bool HostSession::setLoopBars(int first, int last, std::string& error)
{
    if (!checkLoopBars(first, last, error))
        return false;
    settings.setLoopBars(first, last);
    return true;
}

bool HostSession::switchMidiOutput(const std::string& choice, std::string& error)
{
    int port = -1;
    const std::vector<std::string> names = choice.empty() ? std::vector<std::string>{} : MidiOutputPort::portNames();
    if (!choice.empty() && !chooseMidiPort(choice, {"MIDI output", "--list-midi-out", names}, port, error))
        return false;
    // The processing thread sends to the port; it must not while the port changes.
    if (processing)
        processing->stop();
    bool opened = true;
    if (port < 0)
        midiOutput.close();
    else
        opened = midiOutput.open(port, error);
    if (processing)
        processing->start();
    return opened;
}

bool HostSession::sendFromKeyboard(uint8_t status, uint8_t data1, uint8_t data2)
{
    return sendMidi(keyboardStatus(status, settings.playAs.load()), data1, data2);
}
