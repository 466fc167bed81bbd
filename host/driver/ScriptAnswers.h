#pragma once
// The answers to a script's queries (host/driver/ScriptQuery.h), as text:
// what the plug-in answers its host, what the window shows, and the
// practice companion's count.
#include "host/driver/ScriptQuery.h"
#include "host/engine/HostSession.h"
#include "host/practice/PracticeCompanion.h"

#include <string>

std::string answerQuery(HostSession& session, const PracticeCompanion& companion, const Query& query);
