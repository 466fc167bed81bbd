#pragma once
// The report a learner gets at the end of a practice run: the plug-in's own
// percentage, how many notes were expected, hit, missed and wrong, the early
// and late releases when the rule judges releases, and the same per bar of
// the song. The referee fills a PracticeTally from the plug-in's scoring
// steps on the processing thread; the user-interface thread takes a summary
// at the end and prints it as text and JSON.
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

struct PracticeCounts {
    int32_t expected = 0;
    int32_t hit = 0;
    int32_t missed = 0;
    int32_t wrong = 0;
    int32_t earlyReleases = 0;
    int32_t lateReleases = 0;
    int32_t points = 0;
    int32_t maximum = 0;

    void add(const PracticeCounts& other);
};

struct PracticeSummary {
    bool practiceMode = false;
    int rule = 0; // in force at the end
    bool releasesJudged = false; // the rule judged releases at some time
    bool hasPercentage = false; // false while nothing could be earned yet
    float percentage = 0.0f; // the plug-in's read-out
    int32_t score = 0;
    int32_t maximum = 0;
    PracticeCounts total;
    std::vector<PracticeCounts> bars; // bars[i] is bar i + 1
};

// How the song was played, for the report's heading.
struct PracticeRun {
    std::string song; // file name, empty for live input only
    int tempoPercent = 100;
    bool waitForPlayer = false;
    int loopFirstBar = 0; // 0: no bar loop
    int loopLastBar = 0;
    uint32_t expectedChannels = 0xFFFF;
    int playAs = 0;
};

class PracticeTally {
public:
    // Before the first record: the song's bars (at least 1).
    void layOutBars(int count);
    // Processing thread: one scoring step of the plug-in on `note`, in `bar`,
    // with its outcomes (ScoreOutcome bits), points and rise of the maximum.
    void record(int bar, int note, uint8_t outcomes, int32_t points, int32_t maximum, int rule);
    // Practice switched on or off: the plug-in starts again from zero.
    void reset();
    // Any thread.
    void summarize(PracticeSummary& summary) const;

private:
    PracticeCounts& at(int bar);

    mutable std::mutex mutex;
    std::vector<PracticeCounts> bars = std::vector<PracticeCounts>(1);
    // Where a note's last miss and last wrong press were counted, so that an
    // answer taking them back finds them.
    int missBar[128] = {};
    int wrongBar[128] = {};
    bool releasesJudged = false;
};

// A total of the report by name: expected, hit, missed, wrong,
// early-releases, late-releases, score, maximum. False for any other name.
bool practiceReportCount(const PracticeSummary& summary, const std::string& name, int32_t& value);
// The names it knows, for error messages.
const char* practiceReportCountNames();

// The percentage as the plug-in's read-out writes it ("57.14").
std::string percentageText(float percent);

std::string practiceReportText(const PracticeSummary& summary, const PracticeRun& run);
std::string practiceReportJson(const PracticeSummary& summary, const PracticeRun& run);
