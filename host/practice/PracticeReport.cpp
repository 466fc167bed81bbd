#include "host/practice/PracticeReport.h"

#include "host/engine/PracticeSettings.h"
#include "host/practice/ScoreOutcomes.h"

#include <algorithm>
#include <cstdio>

void PracticeCounts::add(const PracticeCounts& other)
{
    expected += other.expected;
    hit += other.hit;
    missed += other.missed;
    wrong += other.wrong;
    earlyReleases += other.earlyReleases;
    lateReleases += other.lateReleases;
    points += other.points;
    maximum += other.maximum;
}

void PracticeTally::layOutBars(int count)
{
    std::lock_guard<std::mutex> lock(mutex);
    bars.assign(static_cast<size_t>(std::max(count, 1)), PracticeCounts{});
}

PracticeCounts& PracticeTally::at(int bar)
{
    return bars[static_cast<size_t>(std::clamp(bar, 1, static_cast<int>(bars.size())) - 1)];
}

void PracticeTally::record(int bar, int note, uint8_t outcomes, int32_t points, int32_t maximum, int rule)
{
    std::lock_guard<std::mutex> lock(mutex);
    note &= 0x7F;
    PracticeCounts& counts = at(bar);
    counts.points += points;
    counts.maximum += maximum;
    releasesJudged = releasesJudged || rule == 1;
    if (outcomes & NoteExpected)
        ++counts.expected;
    if (outcomes & NoteHit)
        ++counts.hit;
    if (outcomes & NoteMissed) {
        ++counts.missed;
        missBar[note] = bar;
    }
    if ((outcomes & MissAnswered) && missBar[note] != 0) {
        --at(missBar[note]).missed;
        missBar[note] = 0;
    }
    if (outcomes & NoteWrong) {
        ++counts.wrong;
        wrongBar[note] = bar;
    }
    if ((outcomes & WrongAnswered) && wrongBar[note] != 0) {
        --at(wrongBar[note]).wrong;
        wrongBar[note] = 0;
    }
    if (outcomes & ReleasedEarly)
        ++counts.earlyReleases;
    if (outcomes & ReleasedLate)
        ++counts.lateReleases;
}

void PracticeTally::reset()
{
    std::lock_guard<std::mutex> lock(mutex);
    std::fill(bars.begin(), bars.end(), PracticeCounts{});
    std::fill(std::begin(missBar), std::end(missBar), 0);
    std::fill(std::begin(wrongBar), std::end(wrongBar), 0);
    releasesJudged = false;
}

void PracticeTally::summarize(PracticeSummary& summary) const
{
    std::lock_guard<std::mutex> lock(mutex);
    summary.bars = bars;
    summary.total = PracticeCounts{};
    for (const PracticeCounts& bar : bars)
        summary.total.add(bar);
    summary.releasesJudged = releasesJudged || summary.rule == 1;
}

bool practiceReportCount(const PracticeSummary& summary, const std::string& name, int32_t& value)
{
    const PracticeCounts& t = summary.total;
    const struct {
        const char* name;
        int32_t value;
    } counts[] = {
        {"expected", t.expected},
        {"hit", t.hit},
        {"missed", t.missed},
        {"wrong", t.wrong},
        {"early-releases", t.earlyReleases},
        {"late-releases", t.lateReleases},
        {"score", summary.score},
        {"maximum", summary.maximum},
    };
    for (const auto& count : counts) {
        if (name == count.name) {
            value = count.value;
            return true;
        }
    }
    return false;
}

const char* practiceReportCountNames()
{
    return "expected, hit, missed, wrong, early-releases, late-releases, score, maximum";
}

std::string percentageText(float percent)
{
    // The read-out's own format.
    char text[64];
    std::snprintf(text, sizeof text, "%2.2f", static_cast<double>(percent));
    return text;
}

namespace {

std::string barPercentage(const PracticeCounts& counts)
{
    if (counts.maximum == 0)
        return "";
    return percentageText(static_cast<float>(static_cast<double>(counts.points) / counts.maximum * 100.0));
}

std::string jsonString(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string jsonChannels(uint32_t channels)
{
    if ((channels & allChannels) == allChannels)
        return "\"all\"";
    return "[" + channelListText(channels) + "]";
}

std::string jsonReleases(const PracticeSummary& summary, int32_t count)
{
    return summary.releasesJudged ? std::to_string(count) : "null";
}

std::string jsonCounts(const PracticeSummary& summary, const PracticeCounts& counts)
{
    return "\"expected\": " + std::to_string(counts.expected) + ", \"hit\": " + std::to_string(counts.hit) +
        ", \"missed\": " + std::to_string(counts.missed) + ", \"wrong\": " + std::to_string(counts.wrong) +
        ", \"earlyReleases\": " + jsonReleases(summary, counts.earlyReleases) +
        ", \"lateReleases\": " + jsonReleases(summary, counts.lateReleases);
}

const char* ruleName(int rule)
{
    return rule == 1 ? "presses and releases" : "presses only";
}

std::string runHeading(const PracticeRun& run)
{
    std::string heading = run.song.empty() ? "live input" : run.song;
    heading += ", tempo " + std::to_string(run.tempoPercent) + " %";
    if (run.loopFirstBar != 0)
        heading += ", bars " + std::to_string(run.loopFirstBar) + "-" + std::to_string(run.loopLastBar) + " looped";
    if (run.expectedChannels != allChannels)
        heading += ", expecting channels " + channelListText(run.expectedChannels);
    if (run.playAs != 0)
        heading += ", keyboard as channel " + std::to_string(run.playAs);
    if (run.waitForPlayer)
        heading += ", waiting for the player";
    return heading;
}

} // namespace

std::string practiceReportText(const PracticeSummary& summary, const PracticeRun& run)
{
    std::string text = "Practice report: " + runHeading(run) + "\n";
    if (!summary.practiceMode && summary.total.expected == 0) {
        return text + "  practice mode was off: nothing was scored (press TUTOR SYSTEM on the panel)\n";
    }
    text += "  score: " + (summary.hasPercentage ? percentageText(summary.percentage) + " %" : std::string("n/a")) +
        " (" + std::to_string(summary.score) + " of " + std::to_string(summary.maximum) +
        " points), rule: " + ruleName(summary.rule) + "\n";
    const PracticeCounts& t = summary.total;
    text += "  notes expected " + std::to_string(t.expected) + ", hit " + std::to_string(t.hit) + ", missed " +
        std::to_string(t.missed) + ", wrong " + std::to_string(t.wrong);
    if (summary.releasesJudged)
        text +=
            ", early releases " + std::to_string(t.earlyReleases) + ", late releases " + std::to_string(t.lateReleases);
    text += "\n";

    char line[160];
    std::snprintf(line, sizeof line, "  %5s %8s %5s %6s %5s%s %8s\n", "bar", "expected", "hit", "missed", "wrong",
        summary.releasesJudged ? "  early  late" : "", "score");
    text += line;
    for (size_t i = 0; i < summary.bars.size(); ++i) {
        const PracticeCounts& bar = summary.bars[i];
        char releases[32] = "";
        if (summary.releasesJudged)
            std::snprintf(releases, sizeof releases, " %6d %5d", bar.earlyReleases, bar.lateReleases);
        const std::string percent = barPercentage(bar);
        std::snprintf(line, sizeof line, "  %5zu %8d %5d %6d %5d%s %8s%s\n", i + 1, bar.expected, bar.hit, bar.missed,
            bar.wrong, releases, percent.empty() ? "-" : percent.c_str(), percent.empty() ? "" : " %");
        text += line;
    }
    return text;
}

std::string practiceReportJson(const PracticeSummary& summary, const PracticeRun& run)
{
    std::string json = "{\n";
    json += "  \"song\": " + (run.song.empty() ? std::string("null") : jsonString(run.song)) + ",\n";
    json += "  \"tempoPercent\": " + std::to_string(run.tempoPercent) + ",\n";
    json += "  \"waitForPlayer\": " + std::string(run.waitForPlayer ? "true" : "false") + ",\n";
    json += "  \"loopBars\": " +
        (run.loopFirstBar != 0 ? "[" + std::to_string(run.loopFirstBar) + ", " + std::to_string(run.loopLastBar) + "]"
                               : std::string("null")) +
        ",\n";
    json += "  \"expectedChannels\": " + jsonChannels(run.expectedChannels) + ",\n";
    json += "  \"playAs\": " + (run.playAs != 0 ? std::to_string(run.playAs) : std::string("null")) + ",\n";
    json += "  \"practiceMode\": " + std::string(summary.practiceMode ? "true" : "false") + ",\n";
    json += "  \"rule\": " + jsonString(ruleName(summary.rule)) + ",\n";
    json += "  \"percentage\": " + (summary.hasPercentage ? percentageText(summary.percentage) : std::string("null")) +
        ",\n";
    json += "  \"score\": " + std::to_string(summary.score) + ",\n";
    json += "  \"maximum\": " + std::to_string(summary.maximum) + ",\n";
    json += "  " + jsonCounts(summary, summary.total) + ",\n";
    json += "  \"bars\": [";
    for (size_t i = 0; i < summary.bars.size(); ++i) {
        const PracticeCounts& bar = summary.bars[i];
        const std::string percent = barPercentage(bar);
        json += std::string(i ? "," : "") + "\n    {\"bar\": " + std::to_string(i + 1) + ", " +
            jsonCounts(summary, bar) + ", \"score\": " + std::to_string(bar.points) +
            ", \"maximum\": " + std::to_string(bar.maximum) +
            ", \"percentage\": " + (percent.empty() ? std::string("null") : percent) + "}";
    }
    json += summary.bars.empty() ? "]\n" : "\n  ]\n";
    return json + "}\n";
}
