#pragma once
// The processing half of an instance, as VST 3 hosts make it from the
// component class: one event input bus and no audio, the
// notes of each block fed to the core, the "Instrument" parameter's changes
// applied, the held keys cleared when the host's transport moves, and the
// view saved as the component's state.
//
// Threads, as VST 3 has them: process on the audio thread; everything else
// on the host's main thread.
#include "core/TransportWatch.h"
#include "core/ViewerCore.h"
#include "formats/vst3/Vst3RefCount.h"
#include "formats/vst3/abi/Processor.h"

class Vst3Component final : public vst3::IComponent, public vst3::IAudioProcessor {
public:
    Vst3Component();

    vst3::tresult QARN_VST3_CALL queryInterface(const vst3::TUID iid, void** object) override;
    uint32_t QARN_VST3_CALL addRef() override;
    uint32_t QARN_VST3_CALL release() override;

    vst3::tresult QARN_VST3_CALL initialize(vst3::FUnknown* context) override;
    vst3::tresult QARN_VST3_CALL terminate() override;

    vst3::tresult QARN_VST3_CALL getControllerClassId(vst3::TUID classId) override;
    vst3::tresult QARN_VST3_CALL setIoMode(vst3::IoMode mode) override;
    int32_t QARN_VST3_CALL getBusCount(vst3::MediaType type, vst3::BusDirection direction) override;
    vst3::tresult QARN_VST3_CALL getBusInfo(
        vst3::MediaType type, vst3::BusDirection direction, int32_t index, vst3::BusInfo& bus) override;
    vst3::tresult QARN_VST3_CALL getRoutingInfo(vst3::RoutingInfo& in, vst3::RoutingInfo& out) override;
    vst3::tresult QARN_VST3_CALL activateBus(
        vst3::MediaType type, vst3::BusDirection direction, int32_t index, vst3::TBool state) override;
    vst3::tresult QARN_VST3_CALL setActive(vst3::TBool state) override;
    vst3::tresult QARN_VST3_CALL setState(vst3::IBStream* state) override;
    vst3::tresult QARN_VST3_CALL getState(vst3::IBStream* state) override;

    vst3::tresult QARN_VST3_CALL setBusArrangements(vst3::SpeakerArrangement* inputs, int32_t inputCount,
        vst3::SpeakerArrangement* outputs, int32_t outputCount) override;
    vst3::tresult QARN_VST3_CALL getBusArrangement(
        vst3::BusDirection direction, int32_t index, vst3::SpeakerArrangement& arrangement) override;
    vst3::tresult QARN_VST3_CALL canProcessSampleSize(int32_t symbolicSampleSize) override;
    uint32_t QARN_VST3_CALL getLatencySamples() override;
    vst3::tresult QARN_VST3_CALL setupProcessing(vst3::ProcessSetup& setup) override;
    vst3::tresult QARN_VST3_CALL setProcessing(vst3::TBool state) override;
    vst3::tresult QARN_VST3_CALL process(vst3::ProcessData& data) override;
    uint32_t QARN_VST3_CALL getTailSamples() override;

private:
    ~Vst3Component();
    void writeDiagnosticLine() const;

    Vst3RefCount refs;
    ViewerCore core;
    // Audio thread only, but for setActive, which starts it afresh.
    TransportWatch transport;
    // The host's name, for the diagnostic log: asked for at initialize.
    char hostName[64] = {};
    float sampleRate = 0.0f;
    int32_t blockSize = 0;
    bool initialized = false;
    bool active = false;
};
