#pragma once
// The command line of an offline render: the song played in song time, one
// picture of the editor per video frame, into a folder of PNGs or an MP4.
//   --render OUT --fps N [--from S] [--to S] [--audio FILE.wav] [--keep-toggles]
#include <string>

struct RenderOptions {
    std::string outPath; // empty: no render
    int fps = 30;
    bool hasFps = false;
    double fromSeconds = 0.0;
    bool hasFrom = false;
    double toSeconds = 0.0; // with hasTo false: the song's end
    bool hasTo = false;
    std::string audioPath; // empty: a silent video
    bool keepToggles = false; // leave highlight and depress as the script set them

    bool active() const { return !outPath.empty(); }
};

// True for the options of a render that take a value.
bool isRenderValueOption(const std::string& name);

// Stores one of them. Answers false with a one-line `error` for a value it cannot use.
bool setRenderOption(RenderOptions& render, const std::string& name, const std::string& value, std::string& error);

// What a render needs from the rest of the command line: a song to play, no
// live keyboard, no looping; and options that only a render uses come with one.
bool checkRenderOptions(const RenderOptions& render, bool hasSong, bool liveInput, bool loop, std::string& error);

// True when OUT names an MP4 file (written through ffmpeg) rather than a folder of PNGs.
bool rendersToMp4(const std::string& outPath);

// Parses seconds as a plain decimal number ("12", "0.5") within [0, 1e6].
bool parseSeconds(const std::string& text, double& seconds);
