#include "host/driver/HostScript.h"

#include "host/engine/TextFields.h"
#include "host/driver/PanelTargets.h"
#include "host/driver/PracticeSteps.h"

#include <fstream>
#include <sstream>

namespace {

std::vector<std::string> splitWords(const std::string& line)
{
    std::istringstream stream(line);
    std::vector<std::string> words;
    std::string word;
    while (stream >> word)
        words.push_back(word);
    return words;
}

// The text after the first `count` words, without surrounding blanks.
std::string restAfterWords(const std::string& line, size_t count)
{
    size_t position = 0;
    for (size_t i = 0; i < count; ++i) {
        position = line.find_first_not_of(" \t", position);
        position = line.find_first_of(" \t", position);
        if (position == std::string::npos)
            return "";
    }
    const size_t begin = line.find_first_not_of(" \t", position);
    if (begin == std::string::npos)
        return "";
    const size_t end = line.find_last_not_of(" \t\r");
    return line.substr(begin, end - begin + 1);
}

struct StepSyntax {
    StepKind kind;
    const char* name;
};

const StepSyntax stepNames[] = {
    {StepKind::Open, "open"},
    {StepKind::Close, "close"},
    {StepKind::Program, "program"},
    {StepKind::Press, "press"},
    {StepKind::NoteOn, "note-on"},
    {StepKind::NoteOff, "note-off"},
    {StepKind::Transport, "transport"},
    {StepKind::Play, "play"},
    {StepKind::Stop, "stop"},
    {StepKind::WaitSong, "wait-song"},
    {StepKind::Idle, "idle"},
    {StepKind::Wait, "wait"},
    {StepKind::Capture, "capture"},
    {StepKind::Expect, "expect"},
    {StepKind::Print, "print"},
    {StepKind::WaitFile, "wait-file"},
    {StepKind::PlayAs, "play-as"},
    {StepKind::ExpectChannels, "expect-channels"},
    {StepKind::Tempo, "tempo"},
    {StepKind::LoopBars, "loop-bars"},
    {StepKind::WaitMode, "wait-mode"},
    {StepKind::MidiOut, "midi-out"},
    {StepKind::ListMidiOut, "list-midi-out"},
    {StepKind::Report, "report"},
    {StepKind::KeyboardOn, "keyboard-on"},
    {StepKind::KeyboardOff, "keyboard-off"},
    {StepKind::AnswerWaits, "answer-waits"},
};

class LineParser {
public:
    LineParser(const std::string& line, ScriptStep& step, std::string& error)
        : line(line)
        , words(splitWords(line))
        , step(step)
        , error(error)
    {
    }

    bool parse()
    {
        const std::string& name = words[0];
        for (const StepSyntax& syntax : stepNames) {
            if (name == syntax.name) {
                step.kind = syntax.kind;
                return parseArguments();
            }
        }
        return fail("unknown step \"" + name + "\"");
    }

private:
    bool fail(const std::string& message)
    {
        error = message;
        return false;
    }

    bool wordCount(size_t low, size_t high)
    {
        const size_t arguments = words.size() - 1;
        if (arguments >= low && arguments <= high)
            return true;
        if (low == high)
            return fail(words[0] + " takes " + std::to_string(low) + " argument(s)");
        return fail(words[0] + " takes " + std::to_string(low) + " to " + std::to_string(high) + " arguments");
    }

    bool number(size_t index, int64_t low, int64_t high, const char* what, int64_t& into)
    {
        if (parseInteger(words[index], low, high, into))
            return true;
        return fail(std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
            std::to_string(high) + ", not \"" + words[index] + "\"");
    }

    bool channelAndNote()
    {
        if (!number(1, 1, 16, "the channel", step.numbers[0]) || !number(2, 0, 127, "the note", step.numbers[1]))
            return false;
        step.numbers[0] -= 1;
        return true;
    }

    bool parsePress()
    {
        if (words.size() < 2)
            return fail("press needs a point (x y) or a button name");
        size_t next = 1;
        if (const PanelTarget* button = panelTargetNamed(words[1])) {
            step.numbers[0] = button->centreX();
            step.numbers[1] = button->centreY();
            next = 2;
        } else if (words.size() >= 3 && parseInteger(words[1], 0, 32767, step.numbers[0]) &&
            parseInteger(words[2], 0, 32767, step.numbers[1])) {
            next = 3;
        } else {
            std::string names;
            int count = 0;
            const PanelTarget* buttons = panelTargets(count);
            for (int i = 0; i < count; ++i)
                names += std::string(i ? ", " : "") + buttons[i].name;
            return fail("press needs x y (from 0) or a button name (" + names + "), not \"" + words[1] + "\"");
        }
        if (next < words.size()) {
            if (words[next] == "right")
                step.rightButton = true;
            else if (words[next] != "left")
                return fail("the mouse button is left or right, not \"" + words[next] + "\"");
            ++next;
        }
        if (next < words.size())
            return fail("unexpected \"" + words[next] + "\" after the press");
        return true;
    }

    bool parseArguments()
    {
        switch (step.kind) {
        case StepKind::Open:
        case StepKind::Close:
        case StepKind::Transport:
        case StepKind::Play:
        case StepKind::Stop:
        case StepKind::WaitSong: return wordCount(0, 0);
        case StepKind::Program:
            return wordCount(1, 1) && number(1, INT32_MIN, INT32_MAX, "the program", step.numbers[0]);
        case StepKind::Press: return parsePress();
        case StepKind::NoteOn:
        case StepKind::KeyboardOn:
            return wordCount(3, 3) && channelAndNote() && number(3, 0, 127, "the velocity", step.numbers[2]);
        case StepKind::NoteOff:
        case StepKind::KeyboardOff: return wordCount(2, 2) && channelAndNote();
        case StepKind::Idle: return wordCount(1, 1) && number(1, 0, 100000, "the idle count", step.numbers[0]);
        case StepKind::Wait:
            return wordCount(1, 1) && number(1, 0, 3600000, "the time in milliseconds", step.numbers[0]);
        case StepKind::Capture:
        case StepKind::WaitFile:
            step.path = restAfterWords(line, 1);
            return !step.path.empty() || fail(words[0] + " needs a file name");
        case StepKind::Expect:
        case StepKind::Print: {
            size_t next = 1;
            if (!parseQuery(words, next, step.query, error))
                return false;
            if (step.kind == StepKind::Print)
                return next == words.size() || fail("unexpected \"" + words[next] + "\" after the query");
            step.expected = restAfterWords(line, next);
            return !step.expected.empty() || fail("expect needs the value the answer should have");
        }
        default: return parsePracticeStep(words, restAfterWords(line, 1), step, error);
        }
        return fail("unknown step");
    }

    const std::string& line;
    std::vector<std::string> words;
    ScriptStep& step;
    std::string& error;
};

} // namespace

bool parseHostScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error)
{
    steps.clear();
    std::istringstream stream(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(stream, line)) {
        ++lineNumber;
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        ScriptStep step;
        step.line = lineNumber;
        std::string message;
        if (!LineParser(line, step, message).parse()) {
            error = "line " + std::to_string(lineNumber) + ": " + message;
            return false;
        }
        steps.push_back(step);
    }
    return true;
}

bool loadHostScript(const std::string& path, std::vector<ScriptStep>& steps, std::string& error)
{
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        error = path + ": cannot open the script";
        return false;
    }
    std::ostringstream text;
    text << stream.rdbuf();
    if (!parseHostScript(text.str(), steps, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}
