#include "host/practice/PracticeCompanion.h"

#include "host/engine/TextFields.h"

#include <cstdio>

PracticeCompanion::PracticeCompanion(HostSession& session, std::string reportPath)
    : session(session)
    , reportPath(std::move(reportPath))
{
    const SongSchedule* song = session.songSchedule();
    referee.layOutBars(song ? song->barCount() : 1);
    session.addListener(this);
}

void PracticeCompanion::onBlock(const VstEvents& events, const VstTimeInfo& time, const int* eventBars)
{
    referee.onBlock(&events, &time, eventBars);
}

bool PracticeCompanion::answerWaits(std::string& error)
{
    const PracticeSettings& settings = session.practiceSettings();
    if (!session.songSchedule() || !settings.waitForPlayer.load()) {
        error = "the song does not wait for the player (give a song and --wait, or wait-mode on)";
        return false;
    }
    auto sendAll = [this](const std::vector<HostCommand>& messages) {
        for (const HostCommand& message : messages) {
            if (!session.send(message))
                return false;
        }
        return true;
    };
    const Transport& transport = session.songTransport();
    const uint32_t endsBefore = transport.songEnds();
    bool running = true;
    while (running && transport.isPlaying() && transport.songEnds() == endsBefore)
        running = sendAll(player.answer(transport.playerWait())) && session.wait(5);
    if (!running || !sendAll(player.letGo())) {
        error = "the window was closed";
        return false;
    }
    return true;
}

PracticeRun PracticeCompanion::practiceRun() const
{
    const PracticeSettings& settings = session.practiceSettings();
    PracticeRun run;
    if (session.songSchedule())
        run.song = fileNameOf(session.sessionOptions().songPath);
    run.tempoPercent = settings.tempoPercent.load();
    run.waitForPlayer = settings.waitForPlayer.load();
    settings.loopBarRange(run.loopFirstBar, run.loopLastBar);
    run.expectedChannels = settings.expectedChannels.load();
    run.playAs = settings.playAs.load();
    return run;
}

bool PracticeCompanion::writeReport(const std::string& path, std::string& error)
{
    const PracticeSummary summary = referee.summary();
    const PracticeRun run = practiceRun();
    std::printf("%s", practiceReportText(summary, run).c_str());
    std::fflush(stdout);
    reportPrinted = true;
    if (path.empty())
        return true;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const std::string json = practiceReportJson(summary, run);
    const bool written = file && std::fwrite(json.data(), 1, json.size(), file) == json.size();
    const bool closed = file && std::fclose(file) == 0;
    if (!written || !closed) {
        error = path + ": the report could not be written";
        return false;
    }
    return true;
}

bool PracticeCompanion::finishReport(std::string& error)
{
    if (reportFinished)
        return true;
    reportFinished = true;
    // A script that printed its report has said what it wanted; a report file still gets written.
    if (reportPath.empty() && (reportPrinted || !referee.practiceMode()))
        return true;
    return writeReport(reportPath, error);
}
