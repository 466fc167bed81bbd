#include "host/app/HostOptions.h"

#include "host/app/PracticeCommandLine.h"

#include <cstdint>
#include <limits>

bool parseHostOptions(const std::vector<std::string>& args, HostOptions& options, std::string& error)
{
    options = HostOptions{};
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        const size_t equals = name.find('=');
        if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            hasValue = true;
        }
        auto takeValue = [&](std::string& into) {
            if (!hasValue) {
                if (i + 1 >= args.size()) {
                    error = name + " needs a value";
                    return false;
                }
                value = args[++i];
            }
            into = value;
            return true;
        };
        auto noValue = [&]() {
            if (hasValue)
                error = name + " takes no value";
            return !hasValue;
        };

        int64_t number = 0;
        if (name == "--loop") {
            if (!noValue())
                return false;
            options.loop = true;
        } else if (name == "--list-midi-in") {
            if (!noValue())
                return false;
            options.listMidiInputs = true;
        } else if (name == "--help" || name == "-h") {
            if (!noValue())
                return false;
            options.help = true;
        } else if (name == "--script") {
            if (!takeValue(options.scriptPath))
                return false;
        } else if (name == "--program") {
            if (!takeValue(value))
                return false;
            if (!parseInteger(
                    value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), number)) {
                error = "--program needs a whole number, not \"" + value + "\"";
                return false;
            }
            options.hasProgram = true;
            options.program = static_cast<int32_t>(number);
        } else if (name == "--midi-in") {
            if (!takeValue(value))
                return false;
            if (value.empty()) {
                error = "--midi-in needs a port's number or name (see --list-midi-in)";
                return false;
            }
            options.midiInput = value;
        } else if (isRenderValueOption(name)) {
            if (!takeValue(value) || !setRenderOption(options.render, name, value, error))
                return false;
        } else if (name == "--keep-toggles") {
            if (!noValue())
                return false;
            options.render.keepToggles = true;
        } else if (const OptionAnswer answer = parsePracticeOption(name, takeValue, noValue, options, error);
                   answer != OptionAnswer::NotMine) {
            if (answer == OptionAnswer::Refused)
                return false;
        } else if (name == "--latency") {
            if (!noValue())
                return false;
            options.latency = true;
        } else if (name.rfind("--", 0) == 0) {
            error = "unknown option " + name;
            return false;
        } else {
            positional.push_back(args[i]);
        }
    }

    if (options.help || options.listMidiInputs || options.listMidiOutputs)
        return true;
    if (positional.empty()) {
        error = "which plug-in? Give the path of its DLL";
        return false;
    }
    if (positional.size() > 2) {
        error = "unexpected argument \"" + positional[2] + "\"";
        return false;
    }
    options.pluginPath = positional[0];
    if (positional.size() == 2)
        options.songPath = positional[1];
    return checkRenderOptions(
        options.render, !options.songPath.empty(), !options.midiInput.empty(), options.loop, error);
}

const char* hostUsage()
{
    return "usage: QarnHost <plugin.dll> [song.mid] [options]\n"
           "       QarnHost --list-midi-in | --list-midi-out\n"
           "Plays a MIDI file or a live MIDI keyboard into a VST 2 plug-in and shows its editor.\n"
           "  --loop            play the song again from the start when it ends\n"
           "  --program P       select the plug-in's program P before showing it\n"
           "  --midi-in PORT    take MIDI from this input, by number or name (see --list-midi-in)\n"
           "  --list-midi-in    list the MIDI input devices and exit\n"
           "  --script FILE     run the steps in FILE instead of playing interactively\n"
           "  --render OUT      render the song to video in song time, after the script's steps:\n"
           "                    OUT.mp4 (through ffmpeg) or a folder of numbered PNGs\n"
           "  --fps N           frames per second of the render (default 30)\n"
           "  --from S          start the render S seconds into the song (default 0)\n"
           "  --to S            end the render S seconds into the song (default: the song's end)\n"
           "  --audio FILE.wav  put this sound track into the MP4, from the render's start\n"
           "  --keep-toggles    leave highlight and depress as they are (the render switches them on)\n"
           "Practising with a song (the plug-in judges channel 16 against the other channels):\n"
           "  --play-as CH      the keyboard's notes reach the plug-in on channel CH (1..16);\n"
           "                    16 when --midi-in is given with a song\n"
           "  --expect CH,...   only these song channels reach the plug-in (all sound); default all\n"
           "  --midi-out PORT   play the song to this output, by number or name (see --list-midi-out)\n"
           "  --list-midi-out   list the MIDI output devices and exit\n"
           "  --tempo PERCENT   play at 25..200 % of the song's tempo\n"
           "  --loop-bars A-B   repeat bars A to B (counted from 1)\n"
           "  --wait            stop at each expected note until it is played on channel 16\n"
           "  --report FILE     also write the practice report as JSON to FILE; it is printed at the\n"
           "                    end (song end, window closed, Ctrl+C) whenever practice mode is on\n"
           "  --latency         measure how long a note takes to show (median, 99th percentile)\n";
}
