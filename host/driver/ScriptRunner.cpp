#include "host/driver/ScriptRunner.h"

#include "host/driver/ScriptAnswers.h"
#include "host/engine/PortNames.h"

#include <cstdio>
#include <string>

namespace {

// How long wait-file waits for its file: a program that was to write it and
// has not by then is gone, and the script says so instead of hanging.
constexpr int fileWaitLimitMs = 120000;
constexpr int fileWaitStepMs = 20;

bool fileExists(const std::string& path)
{
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::fclose(file);
        return true;
    }
    return false;
}

class ScriptRunner {
public:
    ScriptRunner(HostSession& session, PracticeCompanion& companion)
        : session(session)
        , companion(companion)
    {
    }

    int run(const std::vector<ScriptStep>& steps)
    {
        for (const ScriptStep& step : steps) {
            if (!runStep(step)) {
                if (!session.windowOpen()) {
                    report(step, "the window was closed; the script stops here");
                    return 1;
                }
                failed = true;
            }
        }
        return failed ? 1 : 0;
    }

private:
    static void report(const ScriptStep& step, const std::string& message)
    {
        std::fprintf(stderr, "line %d: %s\n", step.line, message.c_str());
        std::fflush(stderr);
    }

    bool fail(const ScriptStep& step, const std::string& message)
    {
        report(step, message);
        return false;
    }

    static std::string queryText(const Query& query)
    {
        std::string text = query.name;
        for (const std::string& arg : query.args)
            text += " " + arg;
        return text;
    }

    bool transport(const ScriptStep& step, HostCommandKind kind)
    {
        HostCommand command;
        command.kind = kind;
        return session.send(command) || fail(step, "the processing thread did not take the transport command");
    }

    bool runStep(const ScriptStep& step)
    {
        const int64_t* n = step.numbers;
        switch (step.kind) {
        case StepKind::Open:
            if (session.openEditor() == 0)
                report(step, "note: the plug-in answered 0 to effEditOpen");
            return session.windowOpen();
        case StepKind::Close: session.closeEditor(); return true;
        case StepKind::Program: session.setProgram(static_cast<int32_t>(n[0])); return true;
        case StepKind::Press:
            // Not a failure: before the plug-in has an editor there is nothing to press.
            if (!session.press(static_cast<int>(n[0]), static_cast<int>(n[1]), step.rightButton))
                report(step,
                    "the press at " + std::to_string(n[0]) + "," + std::to_string(n[1]) +
                        " reached no window of the plug-in");
            return session.windowOpen();
        case StepKind::NoteOn:
            return session.sendMidi(
                       static_cast<uint8_t>(0x90 | n[0]), static_cast<uint8_t>(n[1]), static_cast<uint8_t>(n[2])) ||
                fail(step, "the processing thread did not take the note");
        case StepKind::NoteOff:
            return session.sendMidi(static_cast<uint8_t>(0x80 | n[0]), static_cast<uint8_t>(n[1]), 64) ||
                fail(step, "the processing thread did not take the note");
        case StepKind::Transport: return transport(step, HostCommandKind::Jump);
        case StepKind::Play: return transport(step, HostCommandKind::Play);
        case StepKind::Stop: return transport(step, HostCommandKind::Stop);
        case StepKind::WaitSong: {
            std::string error;
            return session.waitForSongEnd(error) || fail(step, error);
        }
        case StepKind::Idle: return session.idle(static_cast<int>(n[0]));
        case StepKind::Wait: return session.wait(static_cast<int>(n[0]));
        case StepKind::Capture: {
            RgbImage image;
            std::string error;
            if (!session.capture(image, error) || !savePng(image, step.path, error))
                return fail(step, "capture: " + error);
            return true;
        }
        case StepKind::Expect: {
            const std::string answer = answerQuery(session, companion, step.query);
            if (answerMatches(step.query, step.expected, answer))
                return true;
            return fail(step,
                "expected " + queryText(step.query) + " '" + step.expected + "', the answer was '" + answer + "'");
        }
        case StepKind::Print:
            std::printf("%s: %s\n", queryText(step.query).c_str(), answerQuery(session, companion, step.query).c_str());
            std::fflush(stdout);
            return true;
        case StepKind::WaitFile: return waitForFile(step);
        default: return runPracticeStep(step);
        }
        return true;
    }

    // Lets another program (a screen check) act on the window as it is now;
    // the window runs as usual meanwhile.
    bool waitForFile(const ScriptStep& step)
    {
        for (int waited = 0; !fileExists(step.path); waited += fileWaitStepMs) {
            if (waited >= fileWaitLimitMs)
                return fail(
                    step, step.path + " did not appear within " + std::to_string(fileWaitLimitMs / 1000) + " s");
            if (!session.wait(fileWaitStepMs))
                return false;
        }
        std::remove(step.path.c_str());
        return true;
    }

    bool runPracticeStep(const ScriptStep& step)
    {
        const int64_t* n = step.numbers;
        PracticeSettings& settings = session.practiceSettings();
        std::string error;
        switch (step.kind) {
        case StepKind::PlayAs: settings.playAs.store(static_cast<int>(n[0])); return true;
        case StepKind::ExpectChannels: settings.expectedChannels.store(static_cast<uint32_t>(n[0])); return true;
        case StepKind::Tempo: settings.tempoPercent.store(static_cast<int>(n[0])); return true;
        case StepKind::LoopBars:
            return session.setLoopBars(static_cast<int>(n[0]), static_cast<int>(n[1]), error) || fail(step, error);
        case StepKind::WaitMode: settings.waitForPlayer.store(n[0] != 0); return true;
        case StepKind::MidiOut: return session.switchMidiOutput(step.path, error) || fail(step, error);
        case StepKind::ListMidiOut: printPortNames(MidiOutputPort::portNames(), "no MIDI output devices"); return true;
        case StepKind::Report: return companion.writeReport(step.path, error) || fail(step, error);
        case StepKind::KeyboardOn:
            return session.sendFromKeyboard(
                       static_cast<uint8_t>(0x90 | n[0]), static_cast<uint8_t>(n[1]), static_cast<uint8_t>(n[2])) ||
                fail(step, "the processing thread did not take the note");
        case StepKind::KeyboardOff:
            return session.sendFromKeyboard(static_cast<uint8_t>(0x80 | n[0]), static_cast<uint8_t>(n[1]), 64) ||
                fail(step, "the processing thread did not take the note");
        case StepKind::AnswerWaits: return companion.answerWaits(error) || fail(step, error);
        default: return true;
        }
    }

    HostSession& session;
    PracticeCompanion& companion;
    bool failed = false;
};

} // namespace

int runHostScript(HostSession& session, PracticeCompanion& companion, const std::vector<ScriptStep>& steps)
{
    return ScriptRunner(session, companion).run(steps);
}
