// The module's factory: two classes, the component and its controller, with
// the host's plain, extended and Unicode descriptions of each.
#include "formats/vst3/Vst3Component.h"
#include "formats/vst3/Vst3Controller.h"
#include "formats/vst3/Vst3Ids.h"
#include "formats/vst3/Vst3Module.h"
#include "formats/vst3/Vst3Text.h"

#include <cstdio>
#include <cstring>
#include <new>

using namespace vst3;

namespace {

// The description's version these declarations follow, as hosts read it.
constexpr char sdkVersionText[] = "VST 3.7.7";
constexpr int32_t classCount = 2;

// The description's texts are bytes in some records and UTF-16 in others.
template <size_t capacity> void copyText(char (&to)[capacity], const char* from)
{
    std::snprintf(to, capacity, "%s", from);
}

template <size_t capacity> void copyText(char16 (&to)[capacity], const char* from)
{
    copyToChar16(to, static_cast<int32_t>(capacity), from);
}

struct ClassText {
    const Uid& cid;
    const char* category;
    // The host's menus sort instruments by this; the controller has none.
    const char* subCategories;
};

const ClassText classes[classCount] = {
    {componentClassId, kVstAudioEffectClass, "Instrument"},
    {controllerClassId, kVstComponentControllerClass, ""},
};

// What every kind of class record holds; false for no class.
template <typename Info> bool describeClass(int32_t index, Info* info)
{
    if (!info || index < 0 || index >= classCount)
        return false;
    std::memset(info, 0, sizeof *info);
    std::memcpy(info->cid, classes[index].cid.bytes, sizeof info->cid);
    info->cardinality = PClassInfo::kManyInstances;
    copyText(info->category, classes[index].category);
    copyText(info->name, ViewerCore::productName);
    return true;
}

// What the extended records add, in bytes or UTF-16 alike.
template <typename Info> tresult describeClassFully(int32_t index, Info* info)
{
    if (!describeClass(index, info))
        return kInvalidArgument;
    copyText(info->subCategories, classes[index].subCategories);
    copyText(info->vendor, ViewerCore::vendorName);
    copyText(info->version, ViewerCore::versionText());
    copyText(info->sdkVersion, sdkVersionText);
    return kResultOk;
}

class Factory final : public IPluginFactory3 {
public:
    const Vst3Platform* platform = nullptr;

    tresult QARN_VST3_CALL queryInterface(const TUID iid, void** object) override
    {
        if (!object)
            return kInvalidArgument;
        if (!FUnknown_iid.matches(iid) && !IPluginFactory_iid.matches(iid) && !IPluginFactory2_iid.matches(iid) &&
            !IPluginFactory3_iid.matches(iid)) {
            *object = nullptr;
            return kNoInterface;
        }
        *object = static_cast<IPluginFactory3*>(this);
        return kResultOk;
    }
    // The factory lives as long as the module.
    uint32_t QARN_VST3_CALL addRef() override { return 1; }
    uint32_t QARN_VST3_CALL release() override { return 1; }

    tresult QARN_VST3_CALL getFactoryInfo(PFactoryInfo* info) override
    {
        if (!info)
            return kInvalidArgument;
        std::memset(info, 0, sizeof *info);
        copyText(info->vendor, ViewerCore::vendorName);
        info->flags = PFactoryInfo::kUnicode;
        return kResultOk;
    }

    int32_t QARN_VST3_CALL countClasses() override { return classCount; }

    tresult QARN_VST3_CALL getClassInfo(int32_t index, PClassInfo* info) override
    {
        return describeClass(index, info) ? kResultOk : kInvalidArgument;
    }

    tresult QARN_VST3_CALL getClassInfo2(int32_t index, PClassInfo2* info) override
    {
        return describeClassFully(index, info);
    }

    tresult QARN_VST3_CALL getClassInfoUnicode(int32_t index, PClassInfoW* info) override
    {
        return describeClassFully(index, info);
    }

    tresult QARN_VST3_CALL createInstance(FIDString cid, FIDString iid, void** object) override
    {
        if (!object)
            return kInvalidArgument;
        *object = nullptr;
        if (!cid || !iid || !platform)
            return kInvalidArgument;
        FUnknown* made = nullptr;
        if (componentClassId.matches(cid))
            made = static_cast<IComponent*>(new (std::nothrow) Vst3Component());
        else if (controllerClassId.matches(cid))
            made = new (std::nothrow) Vst3Controller(*platform);
        else
            return kInvalidArgument;
        if (!made)
            return kOutOfMemory;
        // The maker's reference passes to the interface asked for, if any.
        const tresult result = made->queryInterface(iid, object);
        made->release();
        return result;
    }

    tresult QARN_VST3_CALL setHostContext(FUnknown*) override { return kResultOk; }
};

Factory factory;

} // namespace

IPluginFactory* vst3Factory(const Vst3Platform& platform)
{
    factory.platform = &platform;
    return &factory;
}
