#pragma once
// Runs a parsed script against a started session, step by step, on the
// user-interface thread.
#include "host/driver/HostScript.h"
#include "host/engine/HostSession.h"
#include "host/practice/PracticeCompanion.h"

#include <vector>

// Prints the answers of `print` steps to standard output and every failed
// expectation or step to standard error, naming its line. Answers the exit
// status: 0 when every step and expectation held, 1 otherwise. A failed
// expectation does not stop the script; a closed window does.
int runHostScript(HostSession& session, PracticeCompanion& companion, const std::vector<ScriptStep>& steps);
