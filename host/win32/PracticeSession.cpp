// The practice run's part of a host session: the settings a script changes
// while the song plays, the keyboard's routing, a scripted player and the
// report at the end.
#include "host/win32/HostSession.h"

#include <cstdio>

void HostSession::setPlayAs(int channel)
{
    settings.playAs.store(channel);
}

void HostSession::setExpectedChannels(uint32_t channels)
{
    settings.expectedChannels.store(channels);
}

void HostSession::setTempo(int percent)
{
    settings.tempoPercent.store(percent);
}

bool HostSession::checkLoopBars(int first, int last, std::string& error) const
{
    if (first == 0)
        return true;
    if (!song) {
        error = "a bar loop needs a song";
        return false;
    }
    if (last > song->barCount()) {
        error = "bars " + std::to_string(first) + "-" + std::to_string(last) + ": the song has " +
            std::to_string(song->barCount()) + " bars";
        return false;
    }
    return true;
}

bool HostSession::setLoopBars(int first, int last, std::string& error)
{
    if (!checkLoopBars(first, last, error))
        return false;
    settings.setLoopBars(first, last);
    return true;
}

void HostSession::setWaitForPlayer(bool on)
{
    settings.waitForPlayer.store(on);
}

bool HostSession::switchMidiOutput(int device, std::string& error)
{
    // The processing thread sends to the device; it must not while the device changes.
    if (processing)
        processing->stop();
    bool opened = true;
    if (device < 0)
        midiOutput.close();
    else
        opened = midiOutput.open(device, error);
    if (processing)
        processing->start();
    return opened;
}

bool HostSession::sendFromKeyboard(uint8_t status, uint8_t data1, uint8_t data2)
{
    return sendMidi(keyboardStatus(status, settings.playAs.load()), data1, data2);
}

bool HostSession::answerWaits(std::string& error)
{
    if (!song || !settings.waitForPlayer.load()) {
        error = "the song does not wait for the player (give a song and --wait, or wait-mode on)";
        return false;
    }
    auto sendAll = [this](const std::vector<HostCommand>& messages) {
        for (const HostCommand& message : messages) {
            if (!send(message))
                return false;
        }
        return true;
    };
    const uint32_t endsBefore = transport.songEnds();
    bool running = true;
    while (running && transport.isPlaying() && transport.songEnds() == endsBefore)
        running = sendAll(player.answer(transport.playerWait())) && window.runFor(5);
    if (!running || !sendAll(player.letGo())) {
        error = "the window was closed";
        return false;
    }
    return true;
}

PracticeRun HostSession::practiceRun() const
{
    PracticeRun run;
    if (song)
        run.song = fileNameOf(options.songPath);
    run.tempoPercent = settings.tempoPercent.load();
    run.waitForPlayer = settings.waitForPlayer.load();
    settings.loopBarRange(run.loopFirstBar, run.loopLastBar);
    run.expectedChannels = settings.expectedChannels.load();
    run.playAs = settings.playAs.load();
    return run;
}

bool HostSession::writeReport(const std::string& path, std::string& error)
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

bool HostSession::finishReport(std::string& error)
{
    if (reportFinished)
        return true;
    reportFinished = true;
    // A script that printed its report has said what it wanted; a report file still gets written.
    if (options.reportPath.empty() && (reportPrinted || !referee.practiceMode()))
        return true;
    return writeReport(options.reportPath, error);
}
