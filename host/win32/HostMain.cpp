// QarnHost: plays a MIDI file or a live keyboard into a VST 2 plug-in and
// shows its editor; with --script, runs a list of steps instead; with
// --render, renders the song to video after the script's steps (see README).
// Exit status: 0 success, 1 a script step or expectation failed, 2 the
// command line, the song, the script or the plug-in could not be used.
#include "host/app/HostOptions.h"
#include "host/driver/HostScript.h"
#include "host/engine/MidiFile.h"
#include "host/engine/MidiPorts.h"
#include "host/engine/SongSchedule.h"
#include "host/win32/DeviceNames.h"
#include "host/win32/HostSession.h"
#include "host/win32/LatencyBenchmark.h"
#include "host/win32/ScriptRunner.h"
#include "host/win32/SongRender.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

int listMidiInputs()
{
    printDeviceNames(MidiInput::portNames(), "no MIDI input devices");
    return 0;
}

int listMidiOutputs()
{
    printDeviceNames(MidiOutputPort::portNames(), "no MIDI output devices");
    return 0;
}

int usageError(const std::string& message)
{
    std::fprintf(stderr, "QarnHost: %s\n%s", message.c_str(), hostUsage());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    HostOptions options;
    std::string error;
    if (!parseHostOptions(args, options, error))
        return usageError(error);
    if (options.help) {
        std::printf("%s", hostUsage());
        return 0;
    }
    if (options.listMidiInputs)
        return listMidiInputs();
    if (options.listMidiOutputs)
        return listMidiOutputs();

    std::vector<ScriptStep> steps;
    if (!options.scriptPath.empty() && !loadHostScript(options.scriptPath, steps, error)) {
        std::fprintf(stderr, "QarnHost: %s\n", error.c_str());
        return 2;
    }

    std::unique_ptr<SongSchedule> song;
    if (!options.songPath.empty()) {
        MidiFile file;
        if (!loadMidiFile(options.songPath, file, error)) {
            std::fprintf(stderr, "QarnHost: %s\n", error.c_str());
            return 2;
        }
        song = std::make_unique<SongSchedule>(file, HostSession::sampleRate);
    }

    HostSession session(options, song.get());
    if (!session.start(error)) {
        std::fprintf(stderr, "QarnHost: %s\n", error.c_str());
        return 2;
    }
    int status = options.scriptPath.empty() || options.latency ? 0 : runHostScript(session, steps);
    if (options.latency) {
        status = runLatencyBenchmark(session);
    } else if (options.render.active()) {
        if (status == 0)
            status = renderSong(session, *song, options.render);
    } else if (options.scriptPath.empty()) {
        status = session.runInteractive();
    }
    if (!session.finishReport(error)) {
        std::fprintf(stderr, "QarnHost: %s\n", error.c_str());
        status = status == 0 ? 1 : status;
    }
    session.shutdown();
    return status;
}
