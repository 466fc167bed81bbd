// A VST 3 module whose factory holds only an edit-controller class: nothing
// the host can play notes into, which it must refuse by name.
#include "formats/vst3/abi/Factory.h"

#include <cstring>

#if defined(_WIN32)
#define MODULE_EXPORT extern "C" __declspec(dllexport)
#else
#define MODULE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

class ControllerOnlyFactory final : public vst3::IPluginFactory {
public:
    vst3::tresult QARN_VST3_CALL queryInterface(const vst3::TUID iid, void** object) override
    {
        const bool known = vst3::FUnknown_iid.matches(iid) || vst3::IPluginFactory_iid.matches(iid);
        *object = known ? this : nullptr;
        return known ? vst3::kResultOk : vst3::kNoInterface;
    }
    uint32_t QARN_VST3_CALL addRef() override { return 1; }
    uint32_t QARN_VST3_CALL release() override { return 1; }
    vst3::tresult QARN_VST3_CALL getFactoryInfo(vst3::PFactoryInfo*) override { return vst3::kNotImplemented; }
    int32_t QARN_VST3_CALL countClasses() override { return 1; }
    vst3::tresult QARN_VST3_CALL getClassInfo(int32_t index, vst3::PClassInfo* info) override
    {
        if (index != 0 || !info)
            return vst3::kInvalidArgument;
        *info = vst3::PClassInfo{};
        std::strcpy(info->category, vst3::kVstComponentControllerClass);
        std::strcpy(info->name, "Controller only");
        return vst3::kResultOk;
    }
    vst3::tresult QARN_VST3_CALL createInstance(vst3::FIDString, vst3::FIDString, void** object) override
    {
        *object = nullptr;
        return vst3::kNoInterface;
    }
};

ControllerOnlyFactory factory;

} // namespace

MODULE_EXPORT vst3::IPluginFactory* GetPluginFactory()
{
    return &factory;
}
