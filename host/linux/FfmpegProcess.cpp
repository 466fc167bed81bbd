#include "host/engine/FfmpegProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

// ffmpeg from the PATH, its standard input one end of a connected pair of
// Unix sockets: a socket, unlike a pipe, takes MSG_NOSIGNAL, so an ffmpeg that
// stops reading gives the host EPIPE instead of a SIGPIPE that would end it.
// Its standard error goes to an anonymous file, read back when it fails: a
// pipe there could fill while the host is busy writing frames, and stall both.
struct FfmpegProcess::Native {
    pid_t process = -1;
    int frames = -1;
    int messages = -1;
    // What the last ffmpeg that failed said last (lastMessage()).
    std::string said;

    void closeAll()
    {
        if (frames >= 0)
            close(frames);
        if (messages >= 0)
            close(messages);
        frames = messages = -1;
        process = -1;
    }

    // ffmpeg's last two lines that say anything, on one line: often a reason
    // and the step it stopped, as "Unrecognized option 'x'." and "Error
    // splitting the argument list".
    std::string lastMessage() const
    {
        const off_t size = lseek(messages, 0, SEEK_END);
        if (size <= 0)
            return {};
        const off_t from = size > 4096 ? size - 4096 : 0;
        std::string tail(static_cast<size_t>(size - from), '\0');
        const ssize_t got = pread(messages, &tail[0], tail.size(), from);
        tail.resize(got > 0 ? static_cast<size_t>(got) : 0);
        std::string text;
        int lines = 0;
        size_t end = tail.size();
        while (end > 0 && lines < 2) {
            const size_t start = tail.find_last_of("\r\n", end - 1);
            const size_t first = start == std::string::npos ? 0 : start + 1;
            const std::string line = tail.substr(first, end - first);
            if (line.find_first_not_of(" \t") != std::string::npos) {
                text = text.empty() ? line : line + " / " + text;
                ++lines;
            }
            end = start == std::string::npos ? 0 : start;
        }
        return text;
    }
};

FfmpegProcess::FfmpegProcess()
    : native(std::make_unique<Native>())
{
}

FfmpegProcess::~FfmpegProcess()
{
    std::string ignored;
    finish(ignored);
}

std::string FfmpegProcess::pathForFfmpeg(const std::string& path)
{
    return path;
}

bool FfmpegProcess::start(const std::vector<std::string>& arguments, std::string& error)
{
    if (native->process >= 0) {
        error = "ffmpeg is already running";
        return false;
    }
    int pair[2];
    native->messages = memfd_create("ffmpeg-messages", MFD_CLOEXEC);
    if (native->messages < 0 || socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
        error = std::string("no channel to ffmpeg: ") + std::strerror(errno);
        native->closeAll();
        return false;
    }
    native->frames = pair[0];
    // Only reading: ffmpeg sees the end of its input once our end closes.
    shutdown(pair[1], SHUT_WR);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pair[1], STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, native->messages, STDERR_FILENO);
    std::vector<char*> argv;
    std::string program = "ffmpeg";
    argv.push_back(&program[0]);
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies)
        argv.push_back(&argument[0]);
    argv.push_back(nullptr);
    pid_t started = -1;
    const int failed = posix_spawnp(&started, "ffmpeg", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pair[1]);
    if (failed) {
        error = failed == ENOENT
            ? "ffmpeg was not found on the PATH; install it (Debian: ffmpeg), or render to a folder of PNGs"
            : std::string("ffmpeg could not be started: ") + std::strerror(failed);
        native->closeAll();
        return false;
    }
    native->process = started;
    return true;
}

bool FfmpegProcess::write(const void* bytes, size_t size, std::string& error)
{
    if (native->process < 0) {
        error = "ffmpeg is not running";
        return false;
    }
    const char* at = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t sent = send(native->frames, at, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0) {
            const int reason = errno;
            // Reaped first, so that all it wrote about why is there to read.
            std::string exited;
            finish(exited);
            if (reason != EPIPE && reason != ECONNRESET)
                error = std::string("writing to ffmpeg failed: ") + std::strerror(reason);
            else
                error = "ffmpeg stopped reading: " +
                    (!native->said.empty()    ? native->said
                            : !exited.empty() ? exited
                                              : "it exited, saying nothing");
            return false;
        }
        at += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

bool FfmpegProcess::finish(std::string& error)
{
    if (native->process < 0)
        return true;
    close(native->frames);
    native->frames = -1;
    int status = 0;
    pid_t waited;
    do {
        waited = waitpid(native->process, &status, 0);
    } while (waited < 0 && errno == EINTR);
    const bool succeeded = waited == native->process && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    native->said = succeeded ? std::string() : native->lastMessage();
    if (!succeeded) {
        const std::string& said = native->said;
        if (waited != native->process)
            error = std::string("ffmpeg could not be waited for: ") + std::strerror(errno);
        else if (WIFSIGNALED(status))
            error = "ffmpeg was ended by signal " + std::to_string(WTERMSIG(status));
        else
            error = "ffmpeg failed (exit status " + std::to_string(WEXITSTATUS(status)) + ")";
        if (!said.empty())
            error += ": " + said;
    }
    native->closeAll();
    return succeeded;
}
