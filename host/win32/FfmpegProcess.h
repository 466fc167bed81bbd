#pragma once
// ffmpeg as a child process that reads a render's frames on its standard input.
//
// On Windows it is the ffmpeg.exe found on the PATH, fed through a pipe.
// Under Wine it is the Unix ffmpeg (Debian's package): Wine starts a Unix
// program that CreateProcess names, but hands it only standard handles that
// are Unix files underneath, which a Windows pipe is not and a socket is. So
// the host joins two loopback sockets in pairs, one for the frames and one
// on which a small /bin/sh wrapper reports ffmpeg's exit status, as Wine
// gives no process handle for a Unix program. The wrapper also finds ffmpeg
// on the Unix PATH, which Windows programs under Wine do not see.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class FfmpegProcess {
public:
    FfmpegProcess() = default;
    // A running ffmpeg gets the end of its input and is waited for.
    ~FfmpegProcess();
    FfmpegProcess(const FfmpegProcess&) = delete;
    FfmpegProcess& operator=(const FfmpegProcess&) = delete;

    // Each answers false with a one-line `error`.
    bool start(const std::vector<std::string>& arguments, std::string& error);
    bool write(const void* bytes, size_t size, std::string& error);
    // Ends the input and waits until ffmpeg exits; true when it exited 0.
    bool finish(std::string& error);

    // A path of ours as ffmpeg must be given it: a Unix path under Wine.
    static std::string pathForFfmpeg(const std::string& path);

private:
    bool startWindowsProgram(const std::vector<std::string>& arguments, std::string& error);
    bool startUnixProgram(const std::vector<std::string>& arguments, std::string& error);
    bool finishUnixProgram(std::string& error);
    void closeAll();

    bool running = false;
    // Windows: the pipe's end we write and the process.
    HANDLE input = nullptr;
    HANDLE process = nullptr;
    // Wine: our ends of the two socket pairs (SOCKET values; <winsock2.h>
    // must come before <windows.h>, which the includers of this header have
    // long included).
    static constexpr uintptr_t noSocket = ~uintptr_t(0);
    uintptr_t frames = noSocket;
    uintptr_t status = noSocket;
    bool socketsStarted = false;
};
