#include "host/render/Mp4Sink.h"

Mp4Sink::Mp4Sink(Mp4Encoding encoding)
    : encoding(std::move(encoding))
{
    this->encoding.outputPath = FfmpegProcess::pathForFfmpeg(this->encoding.outputPath);
    if (!this->encoding.audioPath.empty())
        this->encoding.audioPath = FfmpegProcess::pathForFfmpeg(this->encoding.audioPath);
}

bool Mp4Sink::write(const RgbImage& frame, std::string& error)
{
    if (!started) {
        encoding.width = frame.width;
        encoding.height = frame.height;
        if (!ffmpeg.start(ffmpegArguments(encoding), error))
            return false;
        started = true;
    }
    if (frame.width != encoding.width || frame.height != encoding.height) {
        error = "the window changed size during the render (" + std::to_string(frame.width) + " x " +
            std::to_string(frame.height) + ", the video is " + std::to_string(encoding.width) + " x " +
            std::to_string(encoding.height) + ")";
        return false;
    }
    return ffmpeg.write(frame.pixels.data(), frame.pixels.size(), error);
}

bool Mp4Sink::finish(std::string& error)
{
    if (!started) {
        error = "no frame was rendered";
        return false;
    }
    return ffmpeg.finish(error);
}
