#pragma once
// The command-line options of a practice run (--play-as, --expect,
// --midi-out, --list-midi-out, --tempo, --loop-bars, --wait, --report), read
// by the host's option parser.
#include <functional>
#include <string>

struct HostOptions;

enum class OptionAnswer { NotMine, Taken, Refused };

// `takeValue` fetches the option's value (false when it has none);
// `noValue` is false when a value was given to an option that takes none.
// Refused leaves a one-line `error`.
OptionAnswer parsePracticeOption(const std::string& name, const std::function<bool(std::string&)>& takeValue,
    const std::function<bool()>& noValue, HostOptions& options, std::string& error);
