// QarnHost: plays a MIDI file or a live keyboard into a VST 2 plug-in and
// shows its editor; with --script, runs a list of steps instead (see README).
// Exit status: 0 success, 1 a script step or expectation failed, 2 the
// command line, the song, the script or the plug-in could not be used.
#include "host/HostOptions.h"
#include "host/HostScript.h"
#include "host/MidiFile.h"
#include "host/SongSchedule.h"
#include "host/win32/HostSession.h"
#include "host/win32/LatencyBenchmark.h"
#include "host/win32/MidiInput.h"
#include "host/win32/ScriptRunner.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

int listMidiInputs()
{
    const std::vector<std::string> names = MidiInput::deviceNames();
    if (names.empty())
        std::printf("no MIDI input devices\n");
    for (size_t i = 0; i < names.size(); ++i)
        std::printf("%zu: %s\n", i, names[i].c_str());
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
    int status = 0;
    if (options.latency)
        status = runLatencyBenchmark(session);
    else if (!options.scriptPath.empty())
        status = runHostScript(session, steps);
    else
        status = session.runInteractive();
    session.shutdown();
    return status;
}
