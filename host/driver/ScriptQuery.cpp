#include "host/driver/ScriptQuery.h"

#include "host/engine/TextFields.h"

#include <cctype>
#include <cstdlib>

namespace {

enum class AnswerType { Number, Text, Colour };

struct QueryInfo {
    QueryKind kind;
    const char* name;
    int argumentCount;
    AnswerType type;
};

const QueryInfo queries[] = {
    {QueryKind::Program, "program", 0, AnswerType::Number},
    {QueryKind::ProgramName, "program-name", 0, AnswerType::Text},
    {QueryKind::CanDo, "can-do", 1, AnswerType::Number},
    {QueryKind::NumPrograms, "num-programs", 0, AnswerType::Number},
    {QueryKind::NumParams, "num-params", 0, AnswerType::Number},
    {QueryKind::NumInputs, "num-inputs", 0, AnswerType::Number},
    {QueryKind::NumOutputs, "num-outputs", 0, AnswerType::Number},
    {QueryKind::Flags, "flags", 0, AnswerType::Number},
    {QueryKind::UniqueId, "unique-id", 0, AnswerType::Text},
    {QueryKind::Version, "version", 0, AnswerType::Number},
    {QueryKind::EditorOpen, "editor-open", 0, AnswerType::Number},
    {QueryKind::EditorRect, "editor-rect", 0, AnswerType::Text},
    {QueryKind::WindowSize, "window-size", 0, AnswerType::Text},
    {QueryKind::WantMidi, "want-midi", 0, AnswerType::Number},
    {QueryKind::PracticePercentage, "practice-percentage", 0, AnswerType::Text},
    {QueryKind::Pixel, "pixel", 2, AnswerType::Colour},
    {QueryKind::EffectName, "effect-name", 0, AnswerType::Text},
    {QueryKind::VendorString, "vendor", 0, AnswerType::Text},
    {QueryKind::ProductString, "product", 0, AnswerType::Text},
    {QueryKind::VendorVersion, "vendor-version", 0, AnswerType::Number},
    {QueryKind::Awaited, "awaited", 0, AnswerType::Text},
    {QueryKind::SongBar, "song-bar", 0, AnswerType::Number},
    {QueryKind::ReportCount, "report", 1, AnswerType::Number},
};

const QueryInfo* findQuery(QueryKind kind)
{
    for (const QueryInfo& info : queries) {
        if (info.kind == kind)
            return &info;
    }
    return nullptr;
}

// Decimal, or hexadecimal after 0x.
bool readNumber(const std::string& text, int64_t& value)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        if (text.size() > 10)
            return false;
        int64_t result = 0;
        for (size_t i = 2; i < text.size(); ++i) {
            const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
            const int digit = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
            if (digit < 0)
                return false;
            result = result * 16 + digit;
        }
        value = result;
        return true;
    }
    return parseInteger(text, -(int64_t{1} << 40), int64_t{1} << 40, value);
}

bool readColour(const std::string& text, int channels[3])
{
    if (text.size() != 6)
        return false;
    for (int i = 0; i < 3; ++i) {
        int64_t value = 0;
        const std::string pair = "0x" + text.substr(2 * i, 2);
        if (!readNumber(pair, value))
            return false;
        channels[i] = static_cast<int>(value);
    }
    return true;
}

bool colourMatches(const std::string& expected, const std::string& answer)
{
    std::string colour = expected;
    int64_t tolerance = 0;
    const size_t tilde = expected.find('~');
    if (tilde != std::string::npos) {
        colour = expected.substr(0, tilde);
        if (!parseInteger(expected.substr(tilde + 1), 0, 255, tolerance))
            return false;
    }
    int want[3];
    int got[3];
    if (!readColour(colour, want) || !readColour(answer, got))
        return false;
    for (int i = 0; i < 3; ++i) {
        if (std::abs(want[i] - got[i]) > tolerance)
            return false;
    }
    return true;
}

} // namespace

bool parseQuery(const std::vector<std::string>& words, size_t& next, Query& query, std::string& error)
{
    if (next >= words.size()) {
        error = "a query is missing; one of: " + queryNames();
        return false;
    }
    const std::string& name = words[next];
    for (const QueryInfo& info : queries) {
        if (name != info.name)
            continue;
        if (words.size() - next - 1 < static_cast<size_t>(info.argumentCount)) {
            error = name + " needs " + std::to_string(info.argumentCount) + " argument(s)";
            return false;
        }
        query.kind = info.kind;
        query.name = name;
        query.args.assign(words.begin() + static_cast<std::ptrdiff_t>(next + 1),
            words.begin() + static_cast<std::ptrdiff_t>(next + 1 + info.argumentCount));
        next += 1 + static_cast<size_t>(info.argumentCount);
        if (info.kind == QueryKind::Pixel) {
            int64_t coordinate = 0;
            for (const std::string& arg : query.args) {
                if (!parseInteger(arg, 0, 32767, coordinate)) {
                    error = "pixel needs two coordinates from 0, not \"" + arg + "\"";
                    return false;
                }
            }
        }
        return true;
    }
    error = "unknown query \"" + name + "\"; one of: " + queryNames();
    return false;
}

bool answerMatches(const Query& query, const std::string& expected, const std::string& answer)
{
    const QueryInfo* info = findQuery(query.kind);
    if (info && info->type == AnswerType::Colour)
        return colourMatches(expected, answer);
    if (info && info->type == AnswerType::Number) {
        int64_t want = 0;
        int64_t got = 0;
        if (readNumber(expected, want) && readNumber(answer, got))
            return want == got;
    }
    return expected == answer;
}

std::string queryNames()
{
    std::string names;
    for (const QueryInfo& info : queries) {
        if (!names.empty())
            names += ", ";
        names += info.name;
    }
    return names;
}
