#pragma once
// How the host plays a song to a learner: the channel the keyboard plays on,
// the song channels the plug-in judges the player against, the tempo, a loop
// over some bars and whether the song waits for the player at each expected
// note. The command line fills PracticeOptions; a session copies them into
// PracticeSettings, which scripts may change while the song plays.
#include <atomic>
#include <cstdint>
#include <string>

constexpr uint32_t allChannels = 0xFFFF;
constexpr int lowestTempoPercent = 25;
constexpr int highestTempoPercent = 200;
// The player's channel, counting from 1: the plug-in judges the notes on it.
constexpr int playerChannel = 16;

struct PracticeOptions {
    int playAs = 0; // 1..16; 0: not given (see playAsChannel)
    uint32_t expectedChannels = allChannels; // bit c: song channel c + 1 reaches the plug-in
    int tempoPercent = 100;
    int loopFirstBar = 0; // 0: no bar loop
    int loopLastBar = 0;
    bool waitForPlayer = false;
};

// The keyboard's channel as the plug-in sees it: the one given, else the
// player's channel when a keyboard plays along with a song, else 0 (the
// channel the keyboard sends).
int playAsChannel(const PracticeOptions& options, bool hasKeyboard, bool hasSong);

// Written on the user-interface thread, read by the processing thread at the
// start of every block and by the keyboard's input thread. One word each.
struct PracticeSettings {
    std::atomic<int> playAs{0};
    std::atomic<uint32_t> expectedChannels{allChannels};
    std::atomic<int> tempoPercent{100};
    std::atomic<uint32_t> loopBars{0}; // first bar << 16 | last bar; 0: none
    std::atomic<bool> waitForPlayer{false};

    void apply(const PracticeOptions& options, int playAsChannel);
    void setLoopBars(int first, int last);
    // False without a bar loop.
    bool loopBarRange(int& first, int& last) const;
};

// A message from the keyboard as the plug-in receives it: channel messages
// move to `playAs` (1..16); 0 leaves them alone.
uint8_t keyboardStatus(uint8_t status, int playAs);

// Whether a song's channel message reaches the plug-in: its channel is
// expected, and it is not the keyboard's channel, whose notes are the
// player's own.
bool songMessageReachesPlugin(uint8_t status, uint32_t expectedChannels, int playAs);

// "1,2,16" or "all". Answers false with `error` naming the fault.
bool parseChannelList(const std::string& text, uint32_t& channels, std::string& error);
// "A-B" with 1 <= A <= B <= 65535, or "A" for one bar.
bool parseBarRange(const std::string& text, int& first, int& last, std::string& error);
// 25..200.
bool parseTempoPercent(const std::string& text, int& percent, std::string& error);
// "1,2" from a channel set, "all" for every channel.
std::string channelListText(uint32_t channels);
