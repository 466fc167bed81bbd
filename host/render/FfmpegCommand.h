#pragma once
// What the host asks of ffmpeg to turn a render into an MP4: raw RGB frames
// on its standard input, an optional sound track from a file, H.264 and AAC
// out. Portable, so that the command can be checked without running it.
#include <cstdint>
#include <string>
#include <vector>

struct Mp4Encoding {
    int width = 0;
    int height = 0;
    int fps = 30;
    double seconds = 0.0; // the video's length; the sound is cut to it
    std::string outputPath; // as ffmpeg sees it
    std::string audioPath; // as ffmpeg sees it; empty: no sound
    double audioFromSeconds = 0.0; // where in the sound the video starts
};

// The arguments after the program name. The frames are width x height RGB
// (3 bytes a pixel, rows from the top). The output carries no time stamp or
// encoder version, so one render gives the same file every time.
std::vector<std::string> ffmpegArguments(const Mp4Encoding& encoding);
