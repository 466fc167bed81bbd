#pragma once
// The practice companion: what the host adds to a session for a learner. It
// keeps the host's count of the plug-in's score (the referee) over every
// block the session hands to the plug-in, follows the panel's practice
// buttons as the driver names them, plays the learner's part when a script
// asks, and prints and writes the report at the end.
#include "host/engine/HostSession.h"
#include "host/practice/PracticeReferee.h"
#include "host/practice/ScriptedPlayer.h"

#include <string>

class PracticeCompanion : public SessionListener {
public:
    // Listens to `session` from its start; `reportPath` may be empty.
    PracticeCompanion(HostSession& session, std::string reportPath);

    // Processing thread.
    void onBlock(const VstEvents& events, const VstTimeInfo& time, const int* eventBars) override;
    // User-interface thread: a press on the panel button with this tag.
    void onPanelButton(int tag) { referee.onPanelPress(tag); }

    const PracticeReferee& count() const { return referee; }

    // Plays the player's part until the song ends: at every wait, lets go of
    // the keys it pressed last and presses the awaited ones on channel 16.
    bool answerWaits(std::string& error);
    // Prints the practice report and, given a path, writes it there as JSON.
    bool writeReport(const std::string& path, std::string& error);
    // At the end of the run, once: the report, when practice mode is on (and
    // no script step printed one) or a report file was asked for.
    bool finishReport(std::string& error);

private:
    PracticeRun practiceRun() const;

    HostSession& session;
    std::string reportPath;
    PracticeReferee referee;
    ScriptedPlayer player;
    bool reportFinished = false;
    bool reportPrinted = false;
};
