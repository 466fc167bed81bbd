#pragma once
// A plug-in as the session drives it, whatever its format: switched on and
// off, handed the host's blocks of MIDI with their time, its editor opened,
// idled, closed and sized in the host's window, its instrument chosen.
// Each format's host side fills it (host/engine/vst2, host/engine/clap,
// host/engine/vst3); host/engine/formats picks the format of a file.
//
// A block is the host's own record of it: the transport lays its MIDI out
// as VST 2 events with their frames and its time as a VST 2 time info, and
// a format that wants other records translates them in process().
//
// User-interface thread, except process(), which runs on the processing
// thread between switchOn and switchOff.
#include "framework/Vst2Abi.h"
#include "host/engine/HostWindow.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class LoadedPlugin {
public:
    virtual ~LoadedPlugin() = default;

    // Switches the plug-in on for processing, after its program was chosen.
    // False with a one-line `error` when the plug-in refuses.
    virtual bool switchOn(std::string& error) = 0;
    // Harmless when not switched on.
    virtual void switchOff() = 0;

    // Processing thread: one block of `frames`; `events` is null when the
    // block carries nothing for the plug-in.
    virtual void process(VstEvents* events, const VstTimeInfo& time, int32_t frames) = 0;

    // Opens the editor inside `parent` (an HWND on Windows, an X window id
    // on Linux); answers what the format's open answered, 0 for a refusal.
    // Every open gets its close, whatever it answered.
    virtual intptr_t openEditor(void* parent) = 0;
    virtual void idleEditor() = 0;
    virtual void closeEditor() = 0;
    // False when the editor reports no size.
    virtual bool editorSize(int& width, int& height) = 0;

    // The instrument (program) 0..4 and its name. selectProgram answers
    // true when, once switched on, the plug-in takes the choice with its
    // next block rather than at once.
    virtual bool selectProgram(int32_t program) = 0;
    virtual int32_t selectedProgram() = 0;
    virtual std::string programName() = 0;

    // The window whose event loop runs the plug-in's own descriptors, from
    // when it is made until it goes (null). Plug-ins that need none ignore it.
    virtual void useEventLoop(HostWindow*) { }

    // The system's handle of the loaded binary (an HMODULE, a dlopen handle).
    virtual void* moduleHandle() const = 0;

    // Called when the plug-in asks for another editor size.
    std::function<bool(int width, int height)> onSizeWindow;
};

// Loads the plug-in in `path` as its format says and tells it the sample
// rate and the most frames a block holds; null with a one-line `error`
// naming the file and why it cannot be used.
using PluginOpener = std::unique_ptr<LoadedPlugin> (*)(
    const std::string& path, double sampleRate, int32_t blockSize, std::string& error);
