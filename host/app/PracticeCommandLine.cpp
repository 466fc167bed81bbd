#include "host/app/PracticeCommandLine.h"

#include "host/app/HostOptions.h"

OptionAnswer parsePracticeOption(const std::string& name, const std::function<bool(std::string&)>& takeValue,
    const std::function<bool()>& noValue, HostOptions& options, std::string& error)
{
    PracticeOptions& practice = options.practice;
    std::string value;
    int64_t number = 0;
    bool good = true;
    if (name == "--play-as") {
        good = takeValue(value);
        if (good && !parseInteger(value, 1, 16, number)) {
            error = "--play-as needs a channel from 1 to 16, not \"" + value + "\"";
            good = false;
        }
        practice.playAs = static_cast<int>(number);
    } else if (name == "--expect") {
        good = takeValue(value) && parseChannelList(value, practice.expectedChannels, error);
    } else if (name == "--tempo") {
        good = takeValue(value) && parseTempoPercent(value, practice.tempoPercent, error);
    } else if (name == "--loop-bars") {
        good = takeValue(value) && parseBarRange(value, practice.loopFirstBar, practice.loopLastBar, error);
    } else if (name == "--wait") {
        good = noValue();
        practice.waitForPlayer = true;
    } else if (name == "--midi-out") {
        good = takeValue(options.midiOutput);
        if (good && options.midiOutput.empty()) {
            error = "--midi-out needs a port's number or name (see --list-midi-out)";
            good = false;
        }
    } else if (name == "--list-midi-out") {
        good = noValue();
        options.listMidiOutputs = true;
    } else if (name == "--report") {
        good = takeValue(options.reportPath);
    } else {
        return OptionAnswer::NotMine;
    }
    if (!good && error.empty())
        error = name + " needs a value";
    return good ? OptionAnswer::Taken : OptionAnswer::Refused;
}
