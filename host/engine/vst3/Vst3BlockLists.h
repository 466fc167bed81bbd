#pragma once
// What a block hands a VST 3 processor: the host's MIDI notes as an event
// list and the "Instrument" parameter's change as a parameter-change list.
// Filled and read on the processing thread within capacity reserved before,
// so a block allocates nothing.
#include "formats/vst3/abi/Processor.h"
#include "framework/Vst2Abi.h"
#include "host/engine/vst3/Vst3HostObject.h"

#include <cstddef>
#include <vector>

class Vst3EventList final : public Vst3HostObject<vst3::IEventList> {
public:
    Vst3EventList()
        : Vst3HostObject(vst3::IEventList_iid)
    {
    }
    // User-interface thread, before processing.
    void reserve(size_t count) { events.reserve(count); }
    void clear() { events.clear(); }
    // The block's note-ons and note-offs, in order; other messages are not
    // events of VST 3 (a note-on of velocity 0 is a note-off). Beyond the
    // reserved capacity the rest of the block is dropped.
    void addMidi(const VstEvents& block);

    int32_t QARN_VST3_CALL getEventCount() override { return static_cast<int32_t>(events.size()); }
    vst3::tresult QARN_VST3_CALL getEvent(int32_t index, vst3::Event& event) override;
    vst3::tresult QARN_VST3_CALL addEvent(vst3::Event&) override { return vst3::kResultFalse; }

private:
    std::vector<vst3::Event> events;
};

// One parameter's value at the block's start.
class Vst3ValueQueue final : public Vst3HostObject<vst3::IParamValueQueue> {
public:
    Vst3ValueQueue()
        : Vst3HostObject(vst3::IParamValueQueue_iid)
    {
    }
    vst3::ParamID id = 0;
    vst3::ParamValue value = 0.0;

    vst3::ParamID QARN_VST3_CALL getParameterId() override { return id; }
    int32_t QARN_VST3_CALL getPointCount() override { return 1; }
    vst3::tresult QARN_VST3_CALL getPoint(int32_t index, int32_t& sampleOffset, vst3::ParamValue& point) override;
    vst3::tresult QARN_VST3_CALL addPoint(int32_t, vst3::ParamValue, int32_t&) override { return vst3::kResultFalse; }
};

// At most one change a block: the instrument the user chose last.
class Vst3ParameterChanges final : public Vst3HostObject<vst3::IParameterChanges> {
public:
    Vst3ParameterChanges()
        : Vst3HostObject(vst3::IParameterChanges_iid)
    {
    }
    void clear() { holding = false; }
    void change(vst3::ParamID id, vst3::ParamValue value);

    int32_t QARN_VST3_CALL getParameterCount() override { return holding ? 1 : 0; }
    vst3::IParamValueQueue* QARN_VST3_CALL getParameterData(int32_t index) override;
    vst3::IParamValueQueue* QARN_VST3_CALL addParameterData(const vst3::ParamID&, int32_t&) override { return nullptr; }

private:
    Vst3ValueQueue queue;
    bool holding = false;
};
