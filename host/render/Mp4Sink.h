#pragma once
// A render's frames into an MP4 through ffmpeg (host/engine/FfmpegProcess.h).
// ffmpeg starts with the first frame, whose size the video takes.
#include "host/engine/FfmpegProcess.h"
#include "host/render/FfmpegCommand.h"
#include "host/render/FrameSink.h"

class Mp4Sink : public FrameSink {
public:
    // `encoding` without its size and with our own paths; the size comes from the first frame.
    explicit Mp4Sink(Mp4Encoding encoding);
    bool write(const RgbImage& frame, std::string& error) override;
    bool finish(std::string& error) override;

private:
    Mp4Encoding encoding;
    FfmpegProcess ffmpeg;
    bool started = false;
};
