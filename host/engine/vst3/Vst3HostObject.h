#pragma once
// The base of what the host hands a VST 3 plug-in: each object is the
// host's, lives as long as the plug-in that uses it, and is never counted.
#include "formats/vst3/abi/Base.h"

// queryInterface for one of these: itself for FUnknown and `Interface`.
template <typename Interface> class Vst3HostObject : public Interface {
public:
    explicit Vst3HostObject(const vst3::Uid& interfaceId)
        : interfaceId(interfaceId)
    {
    }

    vst3::tresult QARN_VST3_CALL queryInterface(const vst3::TUID iid, void** object) override
    {
        if (!object)
            return vst3::kInvalidArgument;
        if (vst3::FUnknown_iid.matches(iid) || interfaceId.matches(iid)) {
            *object = this;
            return vst3::kResultOk;
        }
        *object = nullptr;
        return vst3::kNoInterface;
    }
    uint32_t QARN_VST3_CALL addRef() override { return 1; }
    uint32_t QARN_VST3_CALL release() override { return 1; }

private:
    vst3::Uid interfaceId;
};
