// QarnHost: plays a MIDI file or a live keyboard into a VST 2 or CLAP plug-in and
// shows its editor; with --script, runs a list of steps instead; with
// --render, renders the song to video after the script's steps; with
// --latency, measures how long a note takes to show (see README).
// Exit status: 0 success, 1 a script step or expectation failed, 2 the
// command line, the song, the script or the plug-in could not be used.
#include "host/app/HostOptions.h"
#include "host/driver/HostScript.h"
#include "host/driver/PanelPresses.h"
#include "host/driver/ScriptRunner.h"
#include "host/engine/HostSession.h"
#include "host/engine/MidiFile.h"
#include "host/engine/MidiPorts.h"
#include "host/engine/formats/PluginFormats.h"
#include "host/engine/PortNames.h"
#include "host/engine/SongSchedule.h"
#include "host/latency/LatencyBenchmark.h"
#include "host/player/Player.h"
#include "host/practice/PracticeCompanion.h"
#include "host/render/SongRender.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

int usageError(const std::string& message)
{
    std::fprintf(stderr, "QarnHost: %s\n%s", message.c_str(), hostUsage());
    return 2;
}

int failure(const std::string& message)
{
    std::fprintf(stderr, "QarnHost: %s\n", message.c_str());
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
    if (options.listMidiInputs) {
        printPortNames(MidiInput::portNames(), "no MIDI input devices");
        return 0;
    }
    if (options.listMidiOutputs) {
        printPortNames(MidiOutputPort::portNames(), "no MIDI output devices");
        return 0;
    }

    std::vector<ScriptStep> steps;
    if (!options.scriptPath.empty() && !loadHostScript(options.scriptPath, steps, error))
        return failure(error);

    std::unique_ptr<SongSchedule> song;
    if (!options.songPath.empty()) {
        MidiFile file;
        if (!loadMidiFile(options.songPath, file, error))
            return failure(error);
        song = std::make_unique<SongSchedule>(file, HostSession::sampleRate);
    }

    options.idleTimer = !options.render.active();
    HostSession session(options, song.get(), openPlugin);
    PracticeCompanion companion(session, options.reportPath);
    PanelPresses panel(session, &companion);
    std::unique_ptr<LatencyBenchmark> latency;
    if (options.latency)
        latency = std::make_unique<LatencyBenchmark>(session, panel);
    if (!session.start(error)) {
        // Before the uses that listen to it go.
        session.shutdown();
        return failure(error);
    }

    int status = options.scriptPath.empty() || options.latency ? 0 : runHostScript(session, companion, steps);
    if (latency) {
        status = latency->run();
    } else if (options.render.active()) {
        if (status == 0)
            status = renderSong(session, panel, *song, options.render);
    } else if (options.scriptPath.empty()) {
        status = playUntilClosed(session, companion);
    }
    if (!companion.finishReport(error)) {
        std::fprintf(stderr, "QarnHost: %s\n", error.c_str());
        status = status == 0 ? 1 : status;
    }
    session.shutdown();
    return status;
}
