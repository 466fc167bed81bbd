#include "core/SavedView.h"

#include "core/Programs.h"

#include <cstring>

namespace {

constexpr uint8_t magic[4] = {'Q', 'V', 'v', 'w'};

enum ToggleBit : uint8_t {
    SpinBit = 1,
    KeyColourBit = 2,
    KeyMotionBit = 4,
    LinkedKeysBit = 8,
};
constexpr uint8_t knownToggleBits = SpinBit | KeyColourBit | KeyMotionBit | LinkedKeysBit;

void writeInt(uint8_t* at, int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(bits >> (8 * i));
}

int32_t readInt(const uint8_t* at)
{
    uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = bits << 8 | at[i];
    return static_cast<int32_t>(bits);
}

} // namespace

void writeSavedView(const SavedView& view, uint8_t (&bytes)[savedViewSize])
{
    std::memcpy(bytes, magic, sizeof magic);
    bytes[4] = savedViewVersion;
    bytes[5] = static_cast<uint8_t>((view.autoRotate ? SpinBit : 0) | (view.showKeyColour ? KeyColourBit : 0)
                                    | (view.showKeyMotion ? KeyMotionBit : 0) | (view.showLinkedKeys ? LinkedKeysBit : 0));
    bytes[6] = static_cast<uint8_t>(view.scoringRule);
    bytes[7] = static_cast<uint8_t>(view.instrument);
    writeInt(bytes + 8, view.angleX);
    writeInt(bytes + 12, view.angleY);
    writeInt(bytes + 16, view.spinAngle);
    writeInt(bytes + 20, view.zoom);
}

bool readSavedView(const void* data, size_t size, SavedView& view)
{
    if (!data || size != savedViewSize)
        return false;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    if (std::memcmp(bytes, magic, sizeof magic) != 0 || bytes[4] != savedViewVersion)
        return false;
    const uint8_t toggles = bytes[5];
    if ((toggles & ~knownToggleBits) != 0 || bytes[6] > 1 || bytes[7] >= viewerProgramCount)
        return false;

    view.autoRotate = toggles & SpinBit;
    view.showKeyColour = toggles & KeyColourBit;
    view.showKeyMotion = toggles & KeyMotionBit;
    view.showLinkedKeys = toggles & LinkedKeysBit;
    view.scoringRule = bytes[6];
    view.instrument = bytes[7];
    view.angleX = readInt(bytes + 8);
    view.angleY = readInt(bytes + 12);
    view.spinAngle = readInt(bytes + 16);
    view.zoom = readInt(bytes + 20);
    return true;
}
