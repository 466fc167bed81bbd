#pragma once
// The editing half of an instance, as VST 3 hosts make it from the
// controller class the component names: the "Instrument" parameter, the
// view, and the component's state mirrored. The note table, view state and
// instrument are the process's (core/ViewerCore.h), so the controller reads
// them straight from the core rather than through messages from its
// component.
//
// Main thread only.
#include "core/ViewerCore.h"
#include "formats/vst3/Vst3Module.h"
#include "formats/vst3/Vst3RefCount.h"
#include "formats/vst3/abi/Controller.h"

class Vst3Controller final : public vst3::IEditController {
public:
    explicit Vst3Controller(const Vst3Platform& platform);

    vst3::tresult QARN_VST3_CALL queryInterface(const vst3::TUID iid, void** object) override;
    uint32_t QARN_VST3_CALL addRef() override;
    uint32_t QARN_VST3_CALL release() override;

    vst3::tresult QARN_VST3_CALL initialize(vst3::FUnknown* context) override;
    vst3::tresult QARN_VST3_CALL terminate() override;

    vst3::tresult QARN_VST3_CALL setComponentState(vst3::IBStream* state) override;
    vst3::tresult QARN_VST3_CALL setState(vst3::IBStream* state) override;
    vst3::tresult QARN_VST3_CALL getState(vst3::IBStream* state) override;
    int32_t QARN_VST3_CALL getParameterCount() override;
    vst3::tresult QARN_VST3_CALL getParameterInfo(int32_t index, vst3::ParameterInfo& info) override;
    vst3::tresult QARN_VST3_CALL getParamStringByValue(
        vst3::ParamID id, vst3::ParamValue valueNormalized, vst3::String128 text) override;
    vst3::tresult QARN_VST3_CALL getParamValueByString(
        vst3::ParamID id, vst3::char16* text, vst3::ParamValue& valueNormalized) override;
    vst3::ParamValue QARN_VST3_CALL normalizedParamToPlain(vst3::ParamID id, vst3::ParamValue valueNormalized) override;
    vst3::ParamValue QARN_VST3_CALL plainParamToNormalized(vst3::ParamID id, vst3::ParamValue plainValue) override;
    vst3::ParamValue QARN_VST3_CALL getParamNormalized(vst3::ParamID id) override;
    vst3::tresult QARN_VST3_CALL setParamNormalized(vst3::ParamID id, vst3::ParamValue value) override;
    vst3::tresult QARN_VST3_CALL setComponentHandler(vst3::IComponentHandler* handler) override;
    vst3::IPlugView* QARN_VST3_CALL createView(vst3::FIDString name) override;

    // For the view (formats/vst3/Vst3View.h).
    const Vst3Platform& platform;
    ViewerCore core;
    // The view's idle: the editor's, then an instrument chosen in the editor
    // told to the host as an edit of the parameter.
    void idle();
    // The view is gone: another may be made.
    void viewClosed() { viewOpen = false; }

private:
    ~Vst3Controller();

    Vst3RefCount refs;
    vst3::IComponentHandler* handler = nullptr;
    // The instrument the host last heard of.
    int32_t reportedInstrument = ViewerCore::defaultInstrument;
    bool viewOpen = false;
};
