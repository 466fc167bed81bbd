#pragma once
// The module's factory and the records it describes its classes with, as
// the format's published description lays them out.
#include "formats/vst3/abi/Base.h"

namespace vst3 {

struct PFactoryInfo {
    enum : int32_t { kNoFlags = 0, kUnicode = 1 << 4 };
    char vendor[64];
    char url[256];
    char email[128];
    int32_t flags;
};

struct PClassInfo {
    enum : int32_t { kManyInstances = 0x7FFFFFFF };
    TUID cid;
    int32_t cardinality;
    char category[32];
    char name[64];
};

struct PClassInfo2 {
    TUID cid;
    int32_t cardinality;
    char category[32];
    char name[64];
    uint32_t classFlags;
    char subCategories[128];
    char vendor[64];
    char version[64];
    char sdkVersion[64];
};

struct PClassInfoW {
    TUID cid;
    int32_t cardinality;
    char category[32];
    char16 name[64];
    uint32_t classFlags;
    char subCategories[128];
    char16 vendor[64];
    char16 version[64];
    char16 sdkVersion[64];
};

// The categories of the two classes an instrument is made of.
constexpr char kVstAudioEffectClass[] = "Audio Module Class";
constexpr char kVstComponentControllerClass[] = "Component Controller Class";
// classFlags: the processor may run in another process than its controller.
constexpr uint32_t kDistributable = 1 << 0;

class IPluginFactory : public FUnknown {
public:
    virtual tresult QARN_VST3_CALL getFactoryInfo(PFactoryInfo* info) = 0;
    virtual int32_t QARN_VST3_CALL countClasses() = 0;
    virtual tresult QARN_VST3_CALL getClassInfo(int32_t index, PClassInfo* info) = 0;
    virtual tresult QARN_VST3_CALL createInstance(FIDString cid, FIDString iid, void** object) = 0;
};
constexpr Uid IPluginFactory_iid = makeUid(0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F);

class IPluginFactory2 : public IPluginFactory {
public:
    virtual tresult QARN_VST3_CALL getClassInfo2(int32_t index, PClassInfo2* info) = 0;
};
constexpr Uid IPluginFactory2_iid = makeUid(0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB);

class IPluginFactory3 : public IPluginFactory2 {
public:
    virtual tresult QARN_VST3_CALL getClassInfoUnicode(int32_t index, PClassInfoW* info) = 0;
    virtual tresult QARN_VST3_CALL setHostContext(FUnknown* context) = 0;
};
constexpr Uid IPluginFactory3_iid = makeUid(0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931);

// The context a host hands to initialize: it names the host.
class IHostApplication : public FUnknown {
public:
    virtual tresult QARN_VST3_CALL getName(String128 name) = 0;
    virtual tresult QARN_VST3_CALL createInstance(TUID cid, TUID iid, void** object) = 0;
};
constexpr Uid IHostApplication_iid = makeUid(0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5);

static_assert(sizeof(PFactoryInfo) == 452, "PFactoryInfo has the host's size");
static_assert(sizeof(PClassInfo) == 116, "PClassInfo has the host's size");
static_assert(sizeof(PClassInfo2) == 440, "PClassInfo2 has the host's size");
static_assert(offsetof(PClassInfo2, classFlags) == 116, "PClassInfo2::classFlags is where the host reads it");
static_assert(sizeof(PClassInfoW) == 696, "PClassInfoW has the host's size");
static_assert(offsetof(PClassInfoW, classFlags) == 180, "PClassInfoW::classFlags is where the host reads it");
static_assert(offsetof(PClassInfoW, sdkVersion) == 568, "PClassInfoW::sdkVersion is where the host reads it");

} // namespace vst3
