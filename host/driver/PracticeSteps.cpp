#include "host/driver/PracticeSteps.h"

#include "host/engine/TextFields.h"
#include "host/engine/PracticeSettings.h"

namespace {

bool onOrOff(const std::string& word, int64_t& value, std::string& error)
{
    if (word != "on" && word != "off") {
        error = "wait-mode is on or off, not \"" + word + "\"";
        return false;
    }
    value = word == "on" ? 1 : 0;
    return true;
}

} // namespace

bool parsePracticeStep(
    const std::vector<std::string>& words, const std::string& rest, ScriptStep& step, std::string& error)
{
    const size_t arguments = words.size() - 1;
    const bool takesNone = step.kind == StepKind::ListMidiOut || step.kind == StepKind::AnswerWaits;
    if (step.kind == StepKind::Report) {
        step.path = rest;
        return true;
    }
    if (step.kind == StepKind::MidiOut && !rest.empty()) {
        // The port as --midi-out takes it (names hold blanks); off closes the output.
        step.path = rest == "off" ? "" : rest;
        return true;
    }
    if (takesNone != (arguments == 0) || arguments > 1) {
        error = words[0] + (takesNone ? " takes no argument" : " takes 1 argument");
        return false;
    }
    if (takesNone)
        return true;

    const std::string& value = words[1];
    int64_t* n = step.numbers;
    switch (step.kind) {
    case StepKind::PlayAs:
        if (value == "off") {
            n[0] = 0;
            return true;
        }
        if (!parseInteger(value, 1, 16, n[0])) {
            error = "play-as needs a channel from 1 to 16 or off, not \"" + value + "\"";
            return false;
        }
        return true;
    case StepKind::ExpectChannels: {
        uint32_t channels = 0;
        if (!parseChannelList(value, channels, error))
            return false;
        n[0] = channels;
        return true;
    }
    case StepKind::Tempo: {
        int percent = 0;
        if (!parseTempoPercent(value, percent, error))
            return false;
        n[0] = percent;
        return true;
    }
    case StepKind::LoopBars: {
        int first = 0;
        int last = 0;
        if (value != "off" && !parseBarRange(value, first, last, error))
            return false;
        n[0] = first;
        n[1] = last;
        return true;
    }
    case StepKind::WaitMode: return onOrOff(value, n[0], error);
    default: error = "unknown step"; return false;
    }
}
