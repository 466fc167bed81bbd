#pragma once
// The script steps of a practice run, the command-line options' twins:
//   play-as CH|off          expect-channels CH,...|all     tempo PERCENT
//   loop-bars A-B|off       wait-mode on|off               midi-out N|off
//   list-midi-out           report [FILE.json]             answer-waits
#include "host/driver/HostScript.h"

#include <string>
#include <vector>

// `words` is the whole line split at blanks, `rest` the line after the step's
// name. Answers false with the fault in `error`.
bool parsePracticeStep(
    const std::vector<std::string>& words, const std::string& rest, ScriptStep& step, std::string& error);
