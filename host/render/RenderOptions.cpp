#include "host/render/RenderOptions.h"

#include "host/engine/TextFields.h"

#include <cctype>
#include <cstdlib>

namespace {

constexpr int highestFps = 240;
constexpr double longestRender = 1e6; // seconds

} // namespace

bool parseSeconds(const std::string& text, double& seconds)
{
    // strtod alone would take "inf", "0x10", " 5" and "1e3"; a time on a command line is digits and one point.
    bool digits = false;
    bool point = false;
    for (char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            digits = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    if (!digits)
        return false;
    const double value = std::strtod(text.c_str(), nullptr);
    if (value > longestRender)
        return false;
    seconds = value;
    return true;
}

bool isRenderValueOption(const std::string& name)
{
    return name == "--render" || name == "--fps" || name == "--from" || name == "--to" || name == "--audio";
}

bool setRenderOption(RenderOptions& render, const std::string& name, const std::string& value, std::string& error)
{
    if (name == "--render" || name == "--audio") {
        if (value.empty()) {
            error = name + " needs a file name";
            return false;
        }
        (name == "--render" ? render.outPath : render.audioPath) = value;
        return true;
    }
    if (name == "--fps") {
        int64_t number = 0;
        if (!parseInteger(value, 1, highestFps, number)) {
            error = "--fps needs a whole number of frames per second from 1 to " + std::to_string(highestFps) +
                ", not \"" + value + "\"";
            return false;
        }
        render.fps = static_cast<int>(number);
        render.hasFps = true;
        return true;
    }
    double seconds = 0.0;
    if (!parseSeconds(value, seconds)) {
        error = name + " needs a time in seconds (such as 12.5), not \"" + value + "\"";
        return false;
    }
    if (name == "--from") {
        render.fromSeconds = seconds;
        render.hasFrom = true;
    } else {
        render.toSeconds = seconds;
        render.hasTo = true;
    }
    return true;
}

bool checkRenderOptions(const RenderOptions& render, bool hasSong, bool liveInput, bool loop, std::string& error)
{
    if (!render.active()) {
        const char* alone = render.hasFps ? "--fps"
            : render.hasFrom              ? "--from"
            : render.hasTo                ? "--to"
            : !render.audioPath.empty()   ? "--audio"
            : render.keepToggles          ? "--keep-toggles"
                                          : nullptr;
        if (alone)
            error = std::string(alone) + " only applies to a render; give --render OUT";
        return !alone;
    }
    if (!hasSong)
        error = "--render needs a song to play; give a MIDI file";
    else if (liveInput)
        error = "--render plays the song in song time; it cannot take a live keyboard (--midi-in)";
    else if (loop)
        error = "--render plays the song once; --loop does not apply";
    else if (render.hasFrom && render.hasTo && render.toSeconds <= render.fromSeconds)
        error = "--to must come after --from";
    else if (!render.audioPath.empty() && !rendersToMp4(render.outPath))
        error = "--audio needs an MP4 to go into; name the output OUT.mp4";
    else
        return true;
    return false;
}

bool rendersToMp4(const std::string& outPath)
{
    if (outPath.size() < 4)
        return false;
    std::string extension = outPath.substr(outPath.size() - 4);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".mp4";
}
