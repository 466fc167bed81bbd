#pragma once
// The processor a Windows DLL was built for, read from its PE headers before
// the DLL is loaded: a host process loads only DLLs of its own width, and
// Windows' own refusal ("not a valid Win32 application") says neither which
// width the DLL has nor which host would take it.
#include <cstddef>
#include <cstdint>
#include <string>

enum class PluginWidth {
    Unreadable, // not a PE file, or cut short: left to the loader to report
    Bits32, // x86
    Bits64, // x86-64
    OtherMachine, // ARM64 and the like
};

// From the first bytes of the file (the DOS header, up to the PE header's
// machine field); `machine` receives the raw machine number when there is one.
PluginWidth pluginWidthOfImage(const uint8_t* bytes, size_t size, uint16_t& machine);
PluginWidth pluginWidthOfFile(const std::string& path, uint16_t& machine);

// The width of the running host.
constexpr PluginWidth hostWidth = sizeof(void*) == 8 ? PluginWidth::Bits64 : PluginWidth::Bits32;

// Empty when a host of width `host` can load the DLL at `path`; otherwise
// the reason, naming the DLL, its width and the host that takes it.
std::string pluginWidthMismatch(const std::string& path, PluginWidth dll, uint16_t machine, PluginWidth host);

// Empty when a 64-bit x86 Linux host can load the library at `path` (or the
// file cannot be read, which the loader reports); otherwise the reason: a
// Windows DLL, a library of another width or processor, or no library at all.
std::string sharedObjectMismatch(const std::string& path);
// The same from the file's first bytes.
std::string sharedObjectMismatchOfImage(const std::string& path, const uint8_t* bytes, size_t size);
