#include "host/render/FfmpegCommand.h"

#include <cstdio>

namespace {

std::string decimal(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

} // namespace

std::vector<std::string> ffmpegArguments(const Mp4Encoding& encoding)
{
    std::vector<std::string> arguments = {"-hide_banner", "-loglevel", "error", "-nostats", "-y", "-f", "rawvideo",
        "-pix_fmt", "rgb24", "-video_size", std::to_string(encoding.width) + "x" + std::to_string(encoding.height),
        "-framerate", std::to_string(encoding.fps), "-i", "pipe:0"};
    const bool sound = !encoding.audioPath.empty();
    if (sound) {
        // Seeking and cutting the input, not the output: the video keeps every frame.
        arguments.insert(arguments.end(),
            {"-ss", decimal(encoding.audioFromSeconds), "-t", decimal(encoding.seconds), "-i", encoding.audioPath,
                "-map", "0:v", "-map", "1:a"});
    }
    // H.264 in 4:2:0 needs even sides; an odd row or column is padded, never cut.
    arguments.insert(arguments.end(),
        {"-vf", "pad=ceil(iw/2)*2:ceil(ih/2)*2", "-c:v", "libx264", "-preset", "veryfast", "-crf", "18", "-pix_fmt",
            "yuv420p"});
    if (sound)
        arguments.insert(arguments.end(), {"-c:a", "aac", "-b:a", "192k"});
    arguments.insert(arguments.end(),
        {"-map_metadata", "-1", "-fflags", "+bitexact", "-flags", "+bitexact", "-movflags", "+faststart",
            encoding.outputPath});
    return arguments;
}
