#pragma once
// What a VST 3 host hands a plug-in, for the tests: its application
// context, byte streams (in any size of pieces, or failing), a block's event
// and parameter lists, the component handler that hears of edits, and the
// view's frame with a run loop whose timers the test fires. None is counted:
// each lives on the test's stack, longer than the plug-in's use of it.
#include "formats/vst3/abi/Controller.h"
#include "formats/vst3/abi/Factory.h"

#include <cstdint>
#include <vector>

// queryInterface for one of these: itself for FUnknown and `Interface`.
template <typename Interface> class HostObject : public Interface {
public:
    vst3::tresult QARN_VST3_CALL queryInterface(const vst3::TUID iid, void** object) override;
    uint32_t QARN_VST3_CALL addRef() override { return 1; }
    uint32_t QARN_VST3_CALL release() override { return 1; }
};

class TestApplication final : public HostObject<vst3::IHostApplication> {
public:
    vst3::tresult QARN_VST3_CALL getName(vst3::String128 name) override;
    vst3::tresult QARN_VST3_CALL createInstance(vst3::TUID, vst3::TUID, void**) override
    {
        return vst3::kNotImplemented;
    }
};

class TestStream final : public HostObject<vst3::IBStream> {
public:
    TestStream() = default;
    explicit TestStream(std::vector<uint8_t> contents)
        : bytes(std::move(contents))
    {
    }

    std::vector<uint8_t> bytes;
    // At most this many bytes move per call; a failing stream fails each call.
    int32_t piece = 1 << 20;
    bool failing = false;

    vst3::tresult QARN_VST3_CALL read(void* buffer, int32_t size, int32_t* done) override;
    vst3::tresult QARN_VST3_CALL write(void* buffer, int32_t size, int32_t* done) override;
    vst3::tresult QARN_VST3_CALL seek(int64_t, int32_t, int64_t*) override { return vst3::kNotImplemented; }
    vst3::tresult QARN_VST3_CALL tell(int64_t* position) override;

private:
    size_t position = 0;
};

class TestEvents final : public HostObject<vst3::IEventList> {
public:
    void noteOn(int16_t pitch, int16_t channel = 0, float velocity = 1.0f);
    void noteOff(int16_t pitch, int16_t channel = 0);
    std::vector<vst3::Event> events;

    int32_t QARN_VST3_CALL getEventCount() override { return static_cast<int32_t>(events.size()); }
    vst3::tresult QARN_VST3_CALL getEvent(int32_t index, vst3::Event& event) override;
    vst3::tresult QARN_VST3_CALL addEvent(vst3::Event&) override { return vst3::kResultFalse; }
};

// One parameter's points over a block.
class TestQueue final : public HostObject<vst3::IParamValueQueue> {
public:
    vst3::ParamID id = 0;
    std::vector<vst3::ParamValue> values;

    vst3::ParamID QARN_VST3_CALL getParameterId() override { return id; }
    int32_t QARN_VST3_CALL getPointCount() override { return static_cast<int32_t>(values.size()); }
    vst3::tresult QARN_VST3_CALL getPoint(int32_t index, int32_t& offset, vst3::ParamValue& value) override;
    vst3::tresult QARN_VST3_CALL addPoint(int32_t, vst3::ParamValue, int32_t&) override { return vst3::kResultFalse; }
};

class TestChanges final : public HostObject<vst3::IParameterChanges> {
public:
    std::vector<TestQueue> queues;
    void change(vst3::ParamID id, std::vector<vst3::ParamValue> values);

    int32_t QARN_VST3_CALL getParameterCount() override { return static_cast<int32_t>(queues.size()); }
    vst3::IParamValueQueue* QARN_VST3_CALL getParameterData(int32_t index) override;
    vst3::IParamValueQueue* QARN_VST3_CALL addParameterData(const vst3::ParamID&, int32_t&) override { return nullptr; }
};

class TestHandler final : public HostObject<vst3::IComponentHandler> {
public:
    // performEdit's values, and whether each came between begin and end.
    std::vector<vst3::ParamValue> edits;
    bool allBracketed = true;

    vst3::tresult QARN_VST3_CALL beginEdit(vst3::ParamID) override;
    vst3::tresult QARN_VST3_CALL performEdit(vst3::ParamID id, vst3::ParamValue value) override;
    vst3::tresult QARN_VST3_CALL endEdit(vst3::ParamID) override;
    vst3::tresult QARN_VST3_CALL restartComponent(int32_t) override { return vst3::kResultOk; }

private:
    bool editing = false;
};

class TestRunLoop final : public HostObject<vst3::IRunLoop> {
public:
    struct Timer {
        vst3::ITimerHandler* handler;
        vst3::TimerInterval periodMs;
    };
    std::vector<Timer> timers;

    vst3::tresult QARN_VST3_CALL registerEventHandler(vst3::IEventHandler*, vst3::FileDescriptor) override;
    vst3::tresult QARN_VST3_CALL unregisterEventHandler(vst3::IEventHandler*) override { return vst3::kResultOk; }
    vst3::tresult QARN_VST3_CALL registerTimer(vst3::ITimerHandler* handler, vst3::TimerInterval ms) override;
    vst3::tresult QARN_VST3_CALL unregisterTimer(vst3::ITimerHandler* handler) override;
    void fire() const;
};

// The view's frame; on Linux it answers for the run loop, as hosts' frames
// do.
class TestFrame final : public vst3::IPlugFrame {
public:
    TestRunLoop runLoop;
    bool offersRunLoop = true;
    int resizeRequests = 0;

    vst3::tresult QARN_VST3_CALL queryInterface(const vst3::TUID iid, void** object) override;
    uint32_t QARN_VST3_CALL addRef() override { return 1; }
    uint32_t QARN_VST3_CALL release() override { return 1; }
    vst3::tresult QARN_VST3_CALL resizeView(vst3::IPlugView*, vst3::ViewRect*) override;
};
