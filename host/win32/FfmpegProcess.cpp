#include <winsock2.h>
#include <windows.h>

#include "host/engine/FfmpegProcess.h"

#include "host/win32/WindowsCommandLine.h"
#include "host/win32/GlWindowReadback.h"

#include <cstdlib>

// On Windows it is the ffmpeg.exe found on the PATH, fed through a pipe.
// Under Wine it is the Unix ffmpeg (Debian's package): Wine starts a Unix
// program that CreateProcess names, but hands it only standard handles that
// are Unix files underneath, which a Windows pipe is not and a socket is. So
// the host joins two loopback sockets in pairs, one for the frames and one
// on which a small /bin/sh wrapper reports ffmpeg's exit status, as Wine
// gives no process handle for a Unix program. The wrapper also finds ffmpeg
// on the Unix PATH, which Windows programs under Wine do not see.
struct FfmpegProcess::Native {
    bool startWindowsProgram(const std::vector<std::string>& arguments, std::string& error);
    bool startUnixProgram(const std::vector<std::string>& arguments, std::string& error);
    bool finishUnixProgram(std::string& error);
    void closeAll();

    bool running = false;
    // Windows: the pipe's end we write and the process.
    HANDLE input = nullptr;
    HANDLE process = nullptr;
    // Wine: our ends of the two socket pairs.
    SOCKET frames = INVALID_SOCKET;
    SOCKET status = INVALID_SOCKET;
    bool socketsStarted = false;
};

namespace {

// Run as `sh -c wrapper ffmpeg ARGS...`. On the status socket: 127 (the
// shell's "not found") when there is no ffmpeg; otherwise "found" at once,
// and ffmpeg's own exit status when it ends.
const char* const unixWrapper = "command -v ffmpeg >/dev/null 2>&1 || { echo 127; exit 0; }; echo found; "
                                "ffmpeg \"$@\" >/dev/null; echo $?";

std::string exitMessage(unsigned long code)
{
    return "ffmpeg failed (exit status " + std::to_string(code) + "); its messages are above";
}

// Two connected loopback sockets: one for us, one for the child.
bool socketPair(SOCKET& ours, SOCKET& theirs)
{
    ours = theirs = INVALID_SOCKET;
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    bool joined = bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        listen(listener, 1) == 0 && getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    if (joined) {
        ours = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        joined = ours != INVALID_SOCKET && connect(ours, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            (theirs = accept(listener, nullptr, nullptr)) != INVALID_SOCKET;
    }
    closesocket(listener);
    if (!joined) {
        if (ours != INVALID_SOCKET)
            closesocket(ours);
        ours = INVALID_SOCKET;
    }
    return joined;
}

} // namespace

FfmpegProcess::FfmpegProcess()
    : native(std::make_unique<Native>())
{
}

FfmpegProcess::~FfmpegProcess()
{
    std::string ignored;
    finish(ignored);
    if (native->socketsStarted)
        WSACleanup();
}

std::string FfmpegProcess::pathForFfmpeg(const std::string& path)
{
    if (!runningUnderWine())
        return path;
    using UnixName = char*(CDECL*)(const WCHAR*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char full[MAX_PATH];
    const DWORD fullLength = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    WCHAR wide[MAX_PATH];
    if (!unixName || !fullLength || fullLength >= MAX_PATH || !MultiByteToWideChar(CP_ACP, 0, full, -1, wide, MAX_PATH))
        return path;
    char* converted = unixName(wide);
    if (!converted)
        return path;
    std::string result = converted;
    HeapFree(GetProcessHeap(), 0, converted);
    return result;
}

bool FfmpegProcess::start(const std::vector<std::string>& arguments, std::string& error)
{
    if (native->running) {
        error = "ffmpeg is already running";
        return false;
    }
    native->running =
        runningUnderWine() ? native->startUnixProgram(arguments, error) : native->startWindowsProgram(arguments, error);
    if (!native->running)
        native->closeAll();
    return native->running;
}

bool FfmpegProcess::Native::startWindowsProgram(const std::vector<std::string>& arguments, std::string& error)
{
    char program[MAX_PATH];
    const DWORD length = SearchPathA(nullptr, "ffmpeg.exe", nullptr, MAX_PATH, program, nullptr);
    if (!length || length >= MAX_PATH) {
        error = "ffmpeg.exe was not found on the PATH; install ffmpeg, or render to a folder of PNGs";
        return false;
    }
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE childInput = nullptr;
    if (!CreatePipe(&childInput, &input, &inheritable, 1 << 20)) {
        error = "no pipe for ffmpeg (Windows error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    SetHandleInformation(input, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::vector<std::string> line = {program};
    line.insert(line.end(), arguments.begin(), arguments.end());
    std::string commandLine = windowsCommandLine(line);
    PROCESS_INFORMATION started{};
    const BOOL created =
        CreateProcessA(program, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started);
    CloseHandle(childInput);
    if (!created) {
        error = std::string(program) + " could not be started (Windows error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    CloseHandle(started.hThread);
    process = started.hProcess;
    return true;
}

bool FfmpegProcess::Native::startUnixProgram(const std::vector<std::string>& arguments, std::string& error)
{
    WSADATA data;
    socketsStarted = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    SOCKET ours = INVALID_SOCKET;
    SOCKET childInput = INVALID_SOCKET;
    SOCKET childOutput = INVALID_SOCKET;
    const bool framesJoined = socketsStarted && socketPair(ours, childInput);
    frames = framesJoined ? ours : INVALID_SOCKET;
    const bool statusJoined = framesJoined && socketPair(ours, childOutput);
    status = statusJoined ? ours : INVALID_SOCKET;
    if (!statusJoined) {
        if (childInput != INVALID_SOCKET)
            closesocket(childInput);
        error = "no loopback sockets for ffmpeg (Windows socket error " + std::to_string(WSAGetLastError()) + ")";
        return false;
    }
    SetHandleInformation(reinterpret_cast<HANDLE>(childInput), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    SetHandleInformation(reinterpret_cast<HANDLE>(childOutput), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = reinterpret_cast<HANDLE>(childInput);
    startup.hStdOutput = reinterpret_cast<HANDLE>(childOutput);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::vector<std::string> line = {"/bin/sh", "-c", unixWrapper, "ffmpeg"};
    line.insert(line.end(), arguments.begin(), arguments.end());
    std::string commandLine = windowsCommandLine(line);
    char shell[] = "Z:\\bin\\sh";
    PROCESS_INFORMATION started{};
    const BOOL created =
        CreateProcessA(shell, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started);
    closesocket(childInput);
    closesocket(childOutput);
    if (!created) {
        error = "/bin/sh could not be started to run ffmpeg (Windows error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    // Wine answers no handles for a Unix program; close any it might give.
    if (started.hThread)
        CloseHandle(started.hThread);
    if (started.hProcess)
        CloseHandle(started.hProcess);
    // The wrapper's first word says whether there is an ffmpeg to feed.
    std::string said;
    char c = 0;
    while (recv(status, &c, 1, 0) == 1 && c != '\n')
        said += c;
    if (said != "found") {
        error = "ffmpeg was not found on the Unix PATH; install it (Debian: ffmpeg), or render to a folder of PNGs";
        return false;
    }
    return true;
}

bool FfmpegProcess::write(const void* bytes, size_t size, std::string& error)
{
    const char* at = static_cast<const char*>(bytes);
    bool written = native->running;
    while (written && size > 0) {
        // Sockets take send(): WriteFile on a socket under Wine goes through
        // the Wine server and is far slower.
        const int chunk = size > (1u << 30) ? (1 << 30) : static_cast<int>(size);
        int sent = 0;
        if (native->frames != INVALID_SOCKET) {
            sent = send(native->frames, at, chunk, 0);
        } else {
            DWORD done = 0;
            sent =
                WriteFile(native->input, at, static_cast<DWORD>(chunk), &done, nullptr) ? static_cast<int>(done) : -1;
        }
        written = sent > 0;
        if (written) {
            at += sent;
            size -= static_cast<size_t>(sent);
        }
    }
    // ffmpeg stopped reading: its exit status says why.
    if (!written && (finish(error) || error.empty()))
        error = "ffmpeg stopped taking frames";
    return written;
}

bool FfmpegProcess::finish(std::string& error)
{
    if (!native->running)
        return true;
    native->running = false;
    bool succeeded = true;
    if (native->frames != INVALID_SOCKET) {
        succeeded = native->finishUnixProgram(error);
    } else {
        CloseHandle(native->input);
        native->input = nullptr;
        WaitForSingleObject(native->process, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(native->process, &code);
        if (code != 0) {
            error = exitMessage(code);
            succeeded = false;
        }
    }
    native->closeAll();
    return succeeded;
}

bool FfmpegProcess::Native::finishUnixProgram(std::string& error)
{
    shutdown(frames, SD_SEND);
    closesocket(frames);
    frames = INVALID_SOCKET;
    // The wrapper writes one number and exits; the end of the stream says ffmpeg is done.
    std::string said;
    char buffer[64];
    int received = 0;
    while ((received = recv(status, buffer, sizeof buffer, 0)) > 0)
        said.append(buffer, static_cast<size_t>(received));
    const bool answered = !said.empty() && said[0] >= '0' && said[0] <= '9';
    const unsigned long code = answered ? std::strtoul(said.c_str(), nullptr, 10) : 0;
    if (!answered)
        error = "ffmpeg ended without reporting how it went";
    else if (code != 0)
        error = exitMessage(code);
    return answered && code == 0;
}

void FfmpegProcess::Native::closeAll()
{
    if (input)
        CloseHandle(input);
    if (process)
        CloseHandle(process);
    if (frames != INVALID_SOCKET)
        closesocket(frames);
    if (status != INVALID_SOCKET)
        closesocket(status);
    input = process = nullptr;
    frames = status = INVALID_SOCKET;
}
