#include "tests/support/PrivateMemory.h"

#include "tests/support/PrivatePages.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A /proc file as text; empty when it cannot be read. Wine's server opens
// files for its clients, so /proc/self would name the server: callers name
// the process by its Linux id.
std::string readUnixFile(const std::string& path)
{
    std::string windowsPath = "Z:" + path;
    for (char& c : windowsPath) {
        if (c == '/')
            c = '\\';
    }
    HANDLE file = CreateFileA(windowsPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string text;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        text.append(chunk, got);
    CloseHandle(file);
    return text;
}

// Our Linux process id under Wine, found once: the process that maps a file
// of a name no other process has. 0 when not under Wine (no /proc).
unsigned long findUnixPid()
{
    char folder[MAX_PATH];
    if (GetTempPathA(sizeof folder, folder) == 0)
        return 0;
    char name[64];
    std::snprintf(name, sizeof name, "qarn-memory-probe-%lu-%llu", GetCurrentProcessId(),
        static_cast<unsigned long long>(GetTickCount64()));
    const std::string path = std::string(folder) + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READWRITE, 0, 4096, nullptr);
    void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
    unsigned long pid = 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = view ? FindFirstFileA("Z:\\proc\\*", &entry) : INVALID_HANDLE_VALUE;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            char* end = nullptr;
            const unsigned long candidate = std::strtoul(entry.cFileName, &end, 10);
            if (candidate != 0 && *end == '\0' &&
                readUnixFile("/proc/" + std::to_string(candidate) + "/maps").find(name) != std::string::npos)
                pid = candidate;
        } while (pid == 0 && FindNextFileA(search, &entry));
        FindClose(search);
    }
    if (view)
        UnmapViewOfFile(view);
    if (mapping)
        CloseHandle(mapping);
    CloseHandle(file);
    return pid;
}

// The sum of the `Private_*:` lines of smaps_rollup, in bytes; 0 when it
// cannot be read.
size_t linuxPrivateBytes()
{
    static const unsigned long pid = findUnixPid();
    if (pid == 0)
        return 0;
    return privateKibOfRollup(readUnixFile("/proc/" + std::to_string(pid) + "/smaps_rollup")) * 1024;
}

} // namespace

size_t privateMemoryBytes()
{
    if (const size_t bytes = linuxPrivateBytes())
        return bytes;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        return 0;
    return memory.PrivateUsage;
}
