#include "host/engine/MidiPortChoice.h"

#include "host/engine/TextFields.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace {

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool isNumber(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The ports in `matches`, numbered as the list prints them.
std::string describe(const std::vector<size_t>& matches, const MidiPortList& list)
{
    std::string text;
    for (size_t i : matches)
        text += (text.empty() ? "" : ", ") + std::to_string(i) + " \"" + list.names[i] + "\"";
    return text;
}

bool chooseOne(const std::string& wanted, const std::vector<size_t>& matches, const char* how, const char* advice,
    const MidiPortList& list, int& index, std::string& error)
{
    if (matches.size() == 1) {
        index = static_cast<int>(matches[0]);
        return true;
    }
    error = "\"" + wanted + "\" " + how + " " + std::to_string(matches.size()) + " " + list.what +
        "s: " + describe(matches, list) + "; " + advice + " (see " + list.listOption + ")";
    return false;
}

} // namespace

bool chooseMidiPort(const std::string& wanted, const MidiPortList& list, int& index, std::string& error)
{
    if (isNumber(wanted)) {
        int64_t number = 0;
        if (!parseInteger(wanted, 0, INT_MAX, number)) {
            error = "there is no " + std::string(list.what) + " " + wanted + " (see " + list.listOption + ")";
            return false;
        }
        index = static_cast<int>(number);
        return true;
    }
    if (wanted.empty()) {
        error = std::string("give a ") + list.what + "'s name or number (see " + list.listOption + ")";
        return false;
    }

    std::vector<size_t> exact;
    for (size_t i = 0; i < list.names.size(); ++i)
        if (list.names[i] == wanted)
            exact.push_back(i);
    if (!exact.empty())
        return chooseOne(wanted, exact, "names", "give its number", list, index, error);

    const std::string part = lowerCase(wanted);
    std::vector<size_t> holders;
    for (size_t i = 0; i < list.names.size(); ++i)
        if (lowerCase(list.names[i]).find(part) != std::string::npos)
            holders.push_back(i);
    if (holders.empty()) {
        error = "no " + std::string(list.what) + " is named \"" + wanted + "\" or has it in its name (see " +
            list.listOption + ")";
        return false;
    }
    return chooseOne(wanted, holders, "is in the names of", "give more of the name, or its number", list, index, error);
}
