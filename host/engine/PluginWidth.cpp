#include "host/engine/PluginWidth.h"

#include <cstdio>
#include <fstream>
#include <vector>

namespace {

constexpr uint16_t machineI386 = 0x014C;
constexpr uint16_t machineAmd64 = 0x8664;
constexpr size_t peOffsetField = 0x3C;
// The PE header's start, past the DOS stub, lies well inside the first
// pages; a larger offset is no image a loader would take.
constexpr uint32_t largestPeOffset = 64 * 1024;

uint32_t readLittle32(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
        static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

const char* widthText(PluginWidth width)
{
    return width == PluginWidth::Bits64 ? "64-bit" : "32-bit";
}

const char* packageOf(PluginWidth width)
{
    return width == PluginWidth::Bits64 ? "win64" : "win32";
}

} // namespace

PluginWidth pluginWidthOfImage(const uint8_t* bytes, size_t size, uint16_t& machine)
{
    machine = 0;
    if (!bytes || size < peOffsetField + 4 || bytes[0] != 'M' || bytes[1] != 'Z')
        return PluginWidth::Unreadable;
    const uint32_t peOffset = readLittle32(bytes + peOffsetField);
    if (peOffset > largestPeOffset || size < size_t{peOffset} + 6)
        return PluginWidth::Unreadable;
    const uint8_t* pe = bytes + peOffset;
    if (pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 || pe[3] != 0)
        return PluginWidth::Unreadable;
    machine = static_cast<uint16_t>(pe[4] | pe[5] << 8);
    if (machine == machineI386)
        return PluginWidth::Bits32;
    if (machine == machineAmd64)
        return PluginWidth::Bits64;
    return PluginWidth::OtherMachine;
}

PluginWidth pluginWidthOfFile(const std::string& path, uint16_t& machine)
{
    machine = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return PluginWidth::Unreadable;
    std::vector<uint8_t> head(largestPeOffset + 6);
    file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    return pluginWidthOfImage(head.data(), static_cast<size_t>(file.gcount()), machine);
}

std::string pluginWidthMismatch(const std::string& path, PluginWidth dll, uint16_t machine, PluginWidth host)
{
    if (dll == PluginWidth::Unreadable || dll == host)
        return {};
    const std::string hostText =
        std::string("this QarnHost is ") + widthText(host) + " and loads only " + widthText(host) + " plug-ins";
    if (dll == PluginWidth::OtherMachine) {
        char number[8];
        std::snprintf(number, sizeof number, "0x%04X", machine);
        return path + ": the DLL is built for another processor (machine " + number + "); " + hostText;
    }
    return path + ": a " + widthText(dll) + " plug-in; " + hostText + ": use the " + widthText(dll) +
        " QarnHost.exe (the " + packageOf(dll) + " package, or build/" + packageOf(dll) + "/host)";
}

std::string sharedObjectMismatchOfImage(const std::string& path, const uint8_t* bytes, size_t size)
{
    constexpr uint8_t elfClass64 = 2;
    constexpr uint16_t elfMachineX86_64 = 62;
    constexpr size_t elfMachineField = 18;
    if (size >= 2 && bytes[0] == 'M' && bytes[1] == 'Z')
        return path +
            ": a Windows DLL; this QarnHost loads Linux plug-ins (QarnViewer.so): run the Windows "
            "QarnHost.exe under Wine for the DLL";
    if (size < elfMachineField + 2 || bytes[0] != 0x7F || bytes[1] != 'E' || bytes[2] != 'L' || bytes[3] != 'F')
        return path + ": not a shared library (no ELF header)";
    const uint16_t machine = static_cast<uint16_t>(bytes[elfMachineField] | bytes[elfMachineField + 1] << 8);
    if (bytes[4] != elfClass64 || machine != elfMachineX86_64) {
        char text[64];
        std::snprintf(text, sizeof text, "%s library for machine %u", bytes[4] == elfClass64 ? "a 64-bit" : "a 32-bit",
            static_cast<unsigned>(machine));
        return path + ": " + text + "; this QarnHost is 64-bit x86 and loads only 64-bit x86 plug-ins";
    }
    return {};
}

std::string sharedObjectMismatch(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {};
    uint8_t head[64] = {};
    file.read(reinterpret_cast<char*>(head), sizeof head);
    return sharedObjectMismatchOfImage(path, head, static_cast<size_t>(file.gcount()));
}
