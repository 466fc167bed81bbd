#pragma once
// ffmpeg as a child process that reads a render's frames on its standard
// input. Declared once here; host/win32 and host/linux start it their way.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class FfmpegProcess {
public:
    FfmpegProcess();
    // A running ffmpeg gets the end of its input and is waited for.
    ~FfmpegProcess();
    FfmpegProcess(const FfmpegProcess&) = delete;
    FfmpegProcess& operator=(const FfmpegProcess&) = delete;

    // Each answers false with a one-line `error`.
    bool start(const std::vector<std::string>& arguments, std::string& error);
    bool write(const void* bytes, size_t size, std::string& error);
    // Ends the input and waits until ffmpeg exits; true when it exited 0.
    bool finish(std::string& error);

    // A path of ours as ffmpeg must be given it (under Wine, a Unix path).
    static std::string pathForFfmpeg(const std::string& path);

private:
    struct Native;
    std::unique_ptr<Native> native;
};
