#include "host/win32/HostSession.h"

#include "host/driver/PanelTargets.h"
#include "host/win32/ConsoleInterrupt.h"
#include "host/win32/WindowCapture.h"

#include <algorithm>
#include <cstdio>

namespace {

// Used until the editor reports a size of its own.
constexpr int fallbackWidth = 640;
constexpr int fallbackHeight = 480;
constexpr int largestSide = 4096;
constexpr int mostChannels = 64;
// The processing thread takes a command within one block (12 ms); waiting
// longer than this means it is stuck, and a script should say so, not hang.
constexpr DWORD commandPatience = 10000;

std::string fourCharacters(int32_t value)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((value >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(value));
            return hex;
        }
        text += c;
    }
    return text;
}

} // namespace

HostSession::HostSession(const HostOptions& options, const SongSchedule* song)
    : options(options)
    , song(song)
    , plugin(sampleRate, blockSize)
    , transport(song, blockSize, sampleRate, options.loop)
{
}

HostSession::~HostSession()
{
    shutdown();
}

bool HostSession::start(std::string& error)
{
    if (!plugin.load(options.pluginPath, error))
        return false;
    AEffect* effect = plugin.effect();
    plugin.dispatch(effOpen);
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    plugin.dispatch(effSetBlockSize, 0, blockSize);
    if (options.hasProgram)
        setProgram(options.program);

    // The learner's settings, before the first block.
    if (!checkLoopBars(options.practice.loopFirstBar, options.practice.loopLastBar, error))
        return false;
    settings.apply(options.practice, playAsChannel(options.practice, options.midiInput >= 0, song != nullptr));
    transport.practiseWith(&settings);
    transport.playTo(&midiOutput);
    referee.layOutBars(song ? song->barCount() : 1);
    if (options.midiOutput >= 0 && !midiOutput.open(options.midiOutput, error))
        return false;

    const int inputs = std::clamp<int32_t>(effect->numInputs, 0, mostChannels);
    const int outputs = std::clamp<int32_t>(effect->numOutputs, 0, mostChannels);
    silence.assign(static_cast<size_t>(inputs + outputs + 1) * blockSize, 0.0f);
    inputPointers.assign(static_cast<size_t>(inputs) + 1, nullptr);
    outputPointers.assign(static_cast<size_t>(outputs) + 1, nullptr);
    for (int i = 0; i < inputs; ++i)
        inputPointers[i] = silence.data() + static_cast<size_t>(i) * blockSize;
    for (int i = 0; i < outputs; ++i)
        outputPointers[i] = silence.data() + static_cast<size_t>(inputs + i) * blockSize;

    plugin.dispatch(effMainsChanged, 0, 1);
    switchedOn = true;

    std::string title = "Qarn Host - " + fileNameOf(options.pluginPath);
    if (song)
        title += " - " + fileNameOf(options.songPath);
    if (!window.create(title, fallbackWidth, fallbackHeight, error))
        return false;
    window.setCloseHandler([this] { closeEditor(); });
    closeOnInterrupt(window.handle());
    // Without the watch only scripted presses would reach the referee.
    handPresses.start(window.handle(), [this](int x, int y) {
        const POINT point{x, y};
        followPanelPress(ChildWindowFromPointEx(window.handle(), point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT), x, y);
    });
    plugin.onSizeWindow = [this](int width, int height) {
        window.setClientSize(width, height);
        return true;
    };

    processing = std::make_unique<ProcessingLoop>(
        transport, commands,
        [this](VstEvents* events, const VstTimeInfo& time, int32_t frames) { processBlock(events, time, frames); },
        blockSize, sampleRate);
    processing->start();

    if (options.midiInput >= 0) {
        auto receive = [this](uint8_t status, uint8_t data1, uint8_t data2) {
            commands.postMidi(keyboardStatus(status, settings.playAs.load()), data1, data2);
        };
        if (!keyboard.open(options.midiInput, receive, error))
            return false;
    }
    return true;
}

void HostSession::shutdown()
{
    closeOnInterrupt(nullptr);
    handPresses.stop();
    keyboard.close();
    if (processing) {
        processing->stop();
        processing.reset();
    }
    midiOutput.close();
    closeEditor();
    window.destroy();
    if (switchedOn) {
        plugin.dispatch(effMainsChanged, 0, 0);
        switchedOn = false;
    }
    plugin.unload();
}

void HostSession::processBlock(VstEvents* events, const VstTimeInfo& time, int32_t frames)
{
    plugin.setBlockTime(time);
    if (events) {
        if (BlockWatcher* watcher = blockWatcher.load(std::memory_order_acquire))
            watcher->beforeEvents();
        plugin.dispatch(effProcessEvents, 0, 0, events);
        referee.onBlock(events, &time, transport.eventBars().data());
    }
    // The audio call every block, as an audio device drives it; the plug-in
    // may have written into the buffers last time, so they start silent again.
    std::fill(silence.begin(), silence.end(), 0.0f);
    AEffect* effect = plugin.effect();
    if ((effect->flags & effFlagsCanReplacing) && effect->processReplacing)
        effect->processReplacing(effect, inputPointers.data(), outputPointers.data(), frames);
    else if (effect->process)
        effect->process(effect, inputPointers.data(), outputPointers.data(), frames);
}

intptr_t HostSession::openEditor()
{
    if (editorIsOpen || !window.isOpen())
        return editorOpenAnswer;
    fitWindowToEditor();
    editorOpenAnswer = plugin.dispatch(effEditOpen, 0, 0, window.handle());
    // Every open gets its close, whatever open answered: a plug-in may have
    // built windows before reporting a failure.
    editorIsOpen = true;
    fitWindowToEditor();
    window.growToChildren();
    // A render idles the editor only once per frame and at the script's idle
    // steps, so that the clock never reaches its pictures (a spinning model
    // turns one degree per idle).
    if (!options.render.active())
        window.startIdleTimer([this] { editorIdle(); });
    window.pumpMessages();
    return editorOpenAnswer;
}

void HostSession::closeEditor()
{
    if (!editorIsOpen)
        return;
    window.stopIdleTimer();
    plugin.dispatch(effEditClose);
    editorIsOpen = false;
}

void HostSession::fitWindowToEditor()
{
    ERect* rect = nullptr;
    if (!plugin.dispatch(effEditGetRect, 0, 0, &rect) || !rect)
        return;
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    if (width > 0 && height > 0 && width <= largestSide && height <= largestSide)
        window.setClientSize(width, height);
}

void HostSession::editorIdle()
{
    if (editorIsOpen)
        plugin.dispatch(effEditIdle);
}

void HostSession::setIdleRate(int perSecond)
{
    window.setIdleInterval(1000 / std::max(perSecond, 1));
}

void HostSession::setProgram(int32_t program)
{
    plugin.dispatch(effSetProgram, 0, program);
}

bool HostSession::press(int x, int y, bool rightButton)
{
    HWND host = window.handle();
    if (!host)
        return false;
    POINT point{x, y};
    HWND target = host;
    HWND topChild = nullptr;
    for (;;) {
        HWND child = ChildWindowFromPointEx(target, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == target)
            break;
        MapWindowPoints(target, child, &point, 1);
        if (target == host)
            topChild = child;
        target = child;
    }
    if (target == host)
        return false;

    const LPARAM where = MAKELPARAM(point.x, point.y);
    SendMessageA(target, rightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, rightButton ? MK_RBUTTON : MK_LBUTTON, where);
    SendMessageA(target, rightButton ? WM_RBUTTONUP : WM_LBUTTONUP, 0, where);
    followPanelPress(topChild, x, y);
    window.pumpMessages();
    return true;
}

void HostSession::followPanelPress(HWND topChild, int x, int y)
{
    // The panel is the editor's window at the corner of our client area; a
    // press there may change the scoring, which the referee must follow.
    RECT placed{};
    if (!topChild || !GetWindowRect(topChild, &placed))
        return;
    MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&placed), 2);
    if (placed.left == 0 && placed.top == 0) {
        if (const int tag = panelTagAt(x, y)) {
            referee.onPanelPress(tag);
            toggles.onPanelPress(tag);
        }
    }
}

bool HostSession::send(const HostCommand& command)
{
    const uint32_t ticket = commands.post(command);
    const DWORD start = GetTickCount();
    while (!commands.isDone(ticket)) {
        if (!window.runFor(1) || GetTickCount() - start > commandPatience)
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
    return captureClientArea(window.handle(), image, error);
}

std::string HostSession::textAnswer(int32_t opcode)
{
    char name[256] = {};
    plugin.dispatch(opcode, 0, 0, name);
    name[sizeof name - 1] = '\0';
    return name;
}

std::string HostSession::answer(const Query& query)
{
    AEffect* effect = plugin.effect();
    char text[64];
    switch (query.kind) {
    case QueryKind::Program: return std::to_string(plugin.dispatch(effGetProgram));
    case QueryKind::ProgramName: return textAnswer(effGetProgramName);
    case QueryKind::CanDo:
        return std::to_string(plugin.dispatch(effCanDo, 0, 0, const_cast<char*>(query.args[0].c_str())));
    case QueryKind::NumPrograms: return std::to_string(effect->numPrograms);
    case QueryKind::NumParams: return std::to_string(effect->numParams);
    case QueryKind::NumInputs: return std::to_string(effect->numInputs);
    case QueryKind::NumOutputs: return std::to_string(effect->numOutputs);
    case QueryKind::Flags: std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(effect->flags)); return text;
    case QueryKind::UniqueId: return fourCharacters(effect->uniqueID);
    case QueryKind::Version: return std::to_string(effect->version);
    case QueryKind::EditorOpen: return std::to_string(editorOpenAnswer);
    case QueryKind::EditorRect: {
        ERect* rect = nullptr;
        if (!plugin.dispatch(effEditGetRect, 0, 0, &rect) || !rect)
            return "none";
        return std::to_string(rect->right - rect->left) + " " + std::to_string(rect->bottom - rect->top);
    }
    case QueryKind::WindowSize: {
        int width = 0;
        int height = 0;
        window.clientSize(width, height);
        return std::to_string(width) + " " + std::to_string(height);
    }
    case QueryKind::WantMidi: return std::to_string(plugin.wantMidiRequests());
    case QueryKind::PracticePercentage: {
        float percent = 0.0f;
        if (!referee.percentage(percent))
            return "n/a";
        std::snprintf(text, sizeof text, "%.2f", percent);
        return text;
    }
    case QueryKind::Awaited: {
        std::string notes;
        for (int note : transport.playerWait().awaitedNotes())
            notes += (notes.empty() ? "" : " ") + std::to_string(note);
        return notes.empty() ? "none" : notes;
    }
    case QueryKind::SongBar: return std::to_string(transport.songBar());
    case QueryKind::ReportCount: {
        int32_t count = 0;
        if (!practiceReportCount(referee.summary(), query.args[0], count))
            return "unknown report count \"" + query.args[0] + "\"; one of " + practiceReportCountNames();
        return std::to_string(count);
    }
    case QueryKind::Pixel: {
        RgbImage image;
        std::string error;
        if (!capture(image, error))
            return "error: " + error;
        const std::string colour = image.colourAt(std::stoi(query.args[0]), std::stoi(query.args[1]));
        return colour.empty() ? "outside the window" : colour;
    }
    case QueryKind::EffectName: return textAnswer(effGetEffectName);
    case QueryKind::VendorString: return textAnswer(effGetVendorString);
    case QueryKind::ProductString: return textAnswer(effGetProductString);
    case QueryKind::VendorVersion: return std::to_string(plugin.dispatch(effGetVendorVersion));
    }
    return "";
}

void HostSession::startOfflinePlayback()
{
    if (processing)
        processing->stop();
    HostCommand play;
    play.kind = HostCommandKind::Play;
    commands.post(play);
}

void HostSession::runBlock(int32_t frames)
{
    if (processing)
        processing->runBlock(frames);
}

int HostSession::runInteractive()
{
    openEditor();
    if (song) {
        HostCommand play;
        play.kind = HostCommandKind::Play;
        commands.post(play);
    }
    // The report comes at the song's end; the window stays for a last look.
    const uint32_t endsBefore = transport.songEnds();
    while (window.runFor(50)) {
        if (song && !transport.isPlaying() && transport.songEnds() != endsBefore) {
            std::string error;
            if (!finishReport(error))
                std::fprintf(stderr, "QarnHost: %s\n", error.c_str());
        }
    }
    return 0;
}
