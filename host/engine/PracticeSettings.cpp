#include "host/engine/PracticeSettings.h"

#include "host/engine/TextFields.h"

namespace {
constexpr int mostBars = 65535;
} // namespace

int playAsChannel(const PracticeOptions& options, bool hasKeyboard, bool hasSong)
{
    if (options.playAs != 0)
        return options.playAs;
    return hasKeyboard && hasSong ? playerChannel : 0;
}

void PracticeSettings::apply(const PracticeOptions& options, int playAsChannel)
{
    playAs.store(playAsChannel);
    expectedChannels.store(options.expectedChannels);
    tempoPercent.store(options.tempoPercent);
    setLoopBars(options.loopFirstBar, options.loopLastBar);
    waitForPlayer.store(options.waitForPlayer);
}

void PracticeSettings::setLoopBars(int first, int last)
{
    const bool valid = first >= 1 && first <= last && last <= mostBars;
    loopBars.store(valid ? static_cast<uint32_t>(first) << 16 | static_cast<uint32_t>(last) : 0);
}

bool PracticeSettings::loopBarRange(int& first, int& last) const
{
    const uint32_t packed = loopBars.load();
    if (packed == 0)
        return false;
    first = static_cast<int>(packed >> 16);
    last = static_cast<int>(packed & 0xFFFF);
    return true;
}

uint8_t keyboardStatus(uint8_t status, int playAs)
{
    if (status < 0x80 || status >= 0xF0 || playAs < 1 || playAs > 16)
        return status;
    return static_cast<uint8_t>((status & 0xF0) | (playAs - 1));
}

bool songMessageReachesPlugin(uint8_t status, uint32_t expectedChannels, int playAs)
{
    const int channel = status & 0x0F;
    return (expectedChannels >> channel & 1) != 0 && channel + 1 != playAs;
}

bool parseChannelList(const std::string& text, uint32_t& channels, std::string& error)
{
    if (text == "all") {
        channels = allChannels;
        return true;
    }
    uint32_t result = 0;
    size_t begin = 0;
    for (;;) {
        const size_t comma = text.find(',', begin);
        const std::string item = text.substr(begin, comma == std::string::npos ? std::string::npos : comma - begin);
        int64_t channel = 0;
        if (!parseInteger(item, 1, 16, channel)) {
            error = "channels are 1 to 16, separated by commas, or all; not \"" + text + "\"";
            return false;
        }
        result |= 1u << (channel - 1);
        if (comma == std::string::npos)
            break;
        begin = comma + 1;
    }
    channels = result;
    return true;
}

bool parseBarRange(const std::string& text, int& first, int& last, std::string& error)
{
    const size_t dash = text.find('-');
    int64_t a = 0;
    int64_t b = 0;
    bool read = false;
    if (dash == std::string::npos) {
        read = parseInteger(text, 1, mostBars, a);
        b = a;
    } else {
        read =
            parseInteger(text.substr(0, dash), 1, mostBars, a) && parseInteger(text.substr(dash + 1), 1, mostBars, b);
    }
    if (!read || a > b) {
        error = "bars are given as A-B, counted from 1, A not after B; not \"" + text + "\"";
        return false;
    }
    first = static_cast<int>(a);
    last = static_cast<int>(b);
    return true;
}

bool parseTempoPercent(const std::string& text, int& percent, std::string& error)
{
    int64_t value = 0;
    if (!parseInteger(text, lowestTempoPercent, highestTempoPercent, value)) {
        error = "the tempo is a percentage of the song's from " + std::to_string(lowestTempoPercent) + " to " +
            std::to_string(highestTempoPercent) + ", not \"" + text + "\"";
        return false;
    }
    percent = static_cast<int>(value);
    return true;
}

std::string channelListText(uint32_t channels)
{
    if ((channels & allChannels) == allChannels)
        return "all";
    std::string text;
    for (int channel = 0; channel < 16; ++channel) {
        if (channels >> channel & 1)
            text += (text.empty() ? "" : ",") + std::to_string(channel + 1);
    }
    return text.empty() ? "none" : text;
}
