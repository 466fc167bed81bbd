#pragma once
// The base of VST 3's binary interface as its published description has it:
// the 16-byte interface and class identifiers, the result codes, and
// FUnknown, the reference-counted root every interface derives from.
//
// Interfaces are classes of pure virtual functions with no destructor in the
// table, so g++ and MinGW lay out their tables as COM does. Every function
// uses the format's own convention: __stdcall on 32-bit Windows, the
// compilers' default elsewhere.
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(_WIN32)
#define QARN_VST3_CALL __stdcall
#else
#define QARN_VST3_CALL
#endif

namespace vst3 {

using tresult = int32_t;
using TBool = uint8_t;
using char16 = char16_t;
using FIDString = const char*;
// An identifier as the host hands it over: 16 bytes.
using TUID = char[16];
using String128 = char16[128];

// The result codes: COM's on Windows, small numbers elsewhere.
#if defined(_WIN32)
constexpr tresult kNoInterface = static_cast<tresult>(0x80004002);
constexpr tresult kResultOk = 0;
constexpr tresult kResultFalse = 1;
constexpr tresult kInvalidArgument = static_cast<tresult>(0x80070057);
constexpr tresult kNotImplemented = static_cast<tresult>(0x80004001);
constexpr tresult kInternalError = static_cast<tresult>(0x80004005);
constexpr tresult kNotInitialized = static_cast<tresult>(0x8000FFFF);
constexpr tresult kOutOfMemory = static_cast<tresult>(0x8007000E);
#else
constexpr tresult kNoInterface = -1;
constexpr tresult kResultOk = 0;
constexpr tresult kResultFalse = 1;
constexpr tresult kInvalidArgument = 2;
constexpr tresult kNotImplemented = 3;
constexpr tresult kInternalError = 4;
constexpr tresult kNotInitialized = 5;
constexpr tresult kOutOfMemory = 6;
#endif
constexpr tresult kResultTrue = kResultOk;

// An identifier written as the description writes it, four 32-bit words. On
// Windows its bytes are a COM GUID's (the first word and the two halves of
// the second least significant byte first); elsewhere all four words are
// stored most significant byte first.
struct Uid {
    char bytes[16];

    bool matches(const char* other) const { return other && std::memcmp(bytes, other, sizeof bytes) == 0; }
};

constexpr char uidByte(uint32_t word, int shift)
{
    return static_cast<char>(static_cast<uint8_t>(word >> shift));
}

constexpr Uid makeUid(uint32_t l1, uint32_t l2, uint32_t l3, uint32_t l4)
{
#if defined(_WIN32)
    return {{uidByte(l1, 0), uidByte(l1, 8), uidByte(l1, 16), uidByte(l1, 24), uidByte(l2, 16), uidByte(l2, 24),
        uidByte(l2, 0), uidByte(l2, 8), uidByte(l3, 24), uidByte(l3, 16), uidByte(l3, 8), uidByte(l3, 0),
        uidByte(l4, 24), uidByte(l4, 16), uidByte(l4, 8), uidByte(l4, 0)}};
#else
    return {{uidByte(l1, 24), uidByte(l1, 16), uidByte(l1, 8), uidByte(l1, 0), uidByte(l2, 24), uidByte(l2, 16),
        uidByte(l2, 8), uidByte(l2, 0), uidByte(l3, 24), uidByte(l3, 16), uidByte(l3, 8), uidByte(l3, 0),
        uidByte(l4, 24), uidByte(l4, 16), uidByte(l4, 8), uidByte(l4, 0)}};
#endif
}

class FUnknown {
public:
    virtual tresult QARN_VST3_CALL queryInterface(const TUID iid, void** object) = 0;
    virtual uint32_t QARN_VST3_CALL addRef() = 0;
    virtual uint32_t QARN_VST3_CALL release() = 0;
};
constexpr Uid FUnknown_iid = makeUid(0x00000000, 0x00000000, 0xC0000000, 0x00000046);

// The host's stream a state is read from or written to.
class IBStream : public FUnknown {
public:
    enum : int32_t { kIBSeekSet = 0, kIBSeekCur = 1, kIBSeekEnd = 2 };
    virtual tresult QARN_VST3_CALL read(void* buffer, int32_t size, int32_t* done) = 0;
    virtual tresult QARN_VST3_CALL write(void* buffer, int32_t size, int32_t* done) = 0;
    virtual tresult QARN_VST3_CALL seek(int64_t position, int32_t mode, int64_t* result) = 0;
    virtual tresult QARN_VST3_CALL tell(int64_t* position) = 0;
};
constexpr Uid IBStream_iid = makeUid(0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B);

// Initialize and terminate, for components and controllers alike.
class IPluginBase : public FUnknown {
public:
    virtual tresult QARN_VST3_CALL initialize(FUnknown* context) = 0;
    virtual tresult QARN_VST3_CALL terminate() = 0;
};
constexpr Uid IPluginBase_iid = makeUid(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625);

static_assert(sizeof(Uid) == 16, "an identifier is 16 bytes");

} // namespace vst3
