// The width check the host makes before it loads a plug-in DLL.
#include "host/engine/PluginWidth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <fstream>
#include <vector>

namespace {

// The head of a PE file: "MZ", the PE header's offset at 0x3C, then at that
// offset "PE\0\0" and the machine number.
std::vector<uint8_t> imageHead(uint16_t machine, uint32_t peOffset = 0x80)
{
    std::vector<uint8_t> bytes(peOffset + 24, 0);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    for (int i = 0; i < 4; ++i)
        bytes[0x3C + i] = static_cast<uint8_t>(peOffset >> (8 * i));
    bytes[peOffset] = 'P';
    bytes[peOffset + 1] = 'E';
    bytes[peOffset + 4] = static_cast<uint8_t>(machine);
    bytes[peOffset + 5] = static_cast<uint8_t>(machine >> 8);
    return bytes;
}

PluginWidth widthOf(const std::vector<uint8_t>& bytes, uint16_t& machine)
{
    return pluginWidthOfImage(bytes.data(), bytes.size(), machine);
}

TEST(PluginWidthTest, MachineNumbersGiveTheWidth)
{
    uint16_t machine = 0;
    EXPECT_EQ(widthOf(imageHead(0x014C), machine), PluginWidth::Bits32);
    EXPECT_EQ(machine, 0x014C);
    EXPECT_EQ(widthOf(imageHead(0x8664, 0x100), machine), PluginWidth::Bits64);
    EXPECT_EQ(machine, 0x8664);
    EXPECT_EQ(widthOf(imageHead(0xAA64), machine), PluginWidth::OtherMachine);
    EXPECT_EQ(machine, 0xAA64);
}

TEST(PluginWidthTest, WhatIsNoPeImageIsLeftToTheLoader)
{
    uint16_t machine = 1;
    EXPECT_EQ(pluginWidthOfImage(nullptr, 0, machine), PluginWidth::Unreadable);
    EXPECT_EQ(machine, 0);

    std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    text.resize(512, ' ');
    EXPECT_EQ(widthOf(text, machine), PluginWidth::Unreadable);

    std::vector<uint8_t> noSignature = imageHead(0x014C);
    noSignature[0x81] = 'X';
    EXPECT_EQ(widthOf(noSignature, machine), PluginWidth::Unreadable);

    // Cut short before the machine field, and a PE offset past the end or
    // absurdly far: never read beyond what is there.
    std::vector<uint8_t> cut = imageHead(0x8664);
    cut.resize(0x80 + 5);
    EXPECT_EQ(widthOf(cut, machine), PluginWidth::Unreadable);
    std::vector<uint8_t> farOffset = imageHead(0x8664);
    farOffset[0x3F] = 0xFF;
    EXPECT_EQ(widthOf(farOffset, machine), PluginWidth::Unreadable);
    std::vector<uint8_t> dosOnly(0x3C + 2, 0);
    dosOnly[0] = 'M';
    dosOnly[1] = 'Z';
    EXPECT_EQ(widthOf(dosOnly, machine), PluginWidth::Unreadable);
}

TEST(PluginWidthTest, TheFileIsReadFromDisk)
{
    const std::string path = "plugin-width-test.dll";
    const std::vector<uint8_t> bytes = imageHead(0x8664);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    uint16_t machine = 0;
    EXPECT_EQ(pluginWidthOfFile(path, machine), PluginWidth::Bits64);
    std::remove(path.c_str());
    EXPECT_EQ(pluginWidthOfFile(path, machine), PluginWidth::Unreadable);
}

TEST(PluginWidthTest, AMismatchNamesTheDllItsWidthAndTheHostToUse)
{
    EXPECT_EQ(pluginWidthMismatch("a.dll", PluginWidth::Bits32, 0x014C, PluginWidth::Bits32), "");
    EXPECT_EQ(pluginWidthMismatch("a.dll", PluginWidth::Bits64, 0x8664, PluginWidth::Bits64), "");
    EXPECT_EQ(pluginWidthMismatch("a.dll", PluginWidth::Unreadable, 0, PluginWidth::Bits32), "");

    EXPECT_EQ(pluginWidthMismatch("Z:/x/QarnViewer.dll", PluginWidth::Bits64, 0x8664, PluginWidth::Bits32),
        "Z:/x/QarnViewer.dll: a 64-bit plug-in; this QarnHost is 32-bit and loads only 32-bit plug-ins: "
        "use the 64-bit QarnHost.exe (the win64 package, or build/win64/host)");
    EXPECT_EQ(pluginWidthMismatch("b.dll", PluginWidth::Bits32, 0x014C, PluginWidth::Bits64),
        "b.dll: a 32-bit plug-in; this QarnHost is 64-bit and loads only 64-bit plug-ins: "
        "use the 32-bit QarnHost.exe (the win32 package, or build/win32/host)");
    EXPECT_EQ(pluginWidthMismatch("arm.dll", PluginWidth::OtherMachine, 0xAA64, PluginWidth::Bits64),
        "arm.dll: the DLL is built for another processor (machine 0xAA64); "
        "this QarnHost is 64-bit and loads only 64-bit plug-ins");
}

} // namespace

TEST(PluginWidthTest, LinuxHostsRefuseDllsAndOtherLibrariesByName)
{
    std::vector<uint8_t> elf(64, 0);
    const uint8_t magic[] = {0x7F, 'E', 'L', 'F', 2};
    std::copy(std::begin(magic), std::end(magic), elf.begin());
    elf[18] = 62; // x86-64
    EXPECT_EQ(sharedObjectMismatchOfImage("a.so", elf.data(), elf.size()), "");

    elf[4] = 1; // 32-bit
    elf[18] = 3; // i386
    EXPECT_NE(sharedObjectMismatchOfImage("a.so", elf.data(), elf.size()).find("a 32-bit library"), std::string::npos);
    elf[4] = 2;
    elf[18] = 183; // AArch64
    EXPECT_NE(sharedObjectMismatchOfImage("a.so", elf.data(), elf.size()).find("machine 183"), std::string::npos);

    const std::vector<uint8_t> dll = imageHead(0x8664);
    EXPECT_NE(
        sharedObjectMismatchOfImage("QarnViewer.dll", dll.data(), dll.size()).find("a Windows DLL"), std::string::npos);
    const uint8_t text[] = "#!/bin/sh\n";
    EXPECT_EQ(sharedObjectMismatchOfImage("x", text, 4), "x: not a shared library (no ELF header)");
    EXPECT_EQ(sharedObjectMismatchOfImage("x", nullptr, 0), "x: not a shared library (no ELF header)");
}
