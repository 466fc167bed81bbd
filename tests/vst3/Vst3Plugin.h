#pragma once
// One instance of the plug-in as a VST 3 host makes it: the component made
// from the first class, the controller from the class the component names,
// both initialized with the host's context and released at the end.
#include "formats/vst3/abi/Controller.h"
#include "tests/vst3/Vst3Module.h"
#include "tests/vst3/Vst3TestHost.h"

#include <gtest/gtest.h>

class Vst3Instance {
public:
    explicit Vst3Instance(vst3::IPluginFactory& factory);
    ~Vst3Instance();
    Vst3Instance(const Vst3Instance&) = delete;
    Vst3Instance& operator=(const Vst3Instance&) = delete;

    TestApplication application;
    vst3::IComponent* component = nullptr;
    vst3::IAudioProcessor* processor = nullptr;
    vst3::IEditController* controller = nullptr;

    // setupProcessing, setActive and setProcessing as a host starts playing.
    bool start();
    // One block of 512 frames with `events`, `changes` and the transport's
    // `context` (any may be null).
    vst3::tresult process(
        vst3::IEventList* events, vst3::IParameterChanges* changes = nullptr, vst3::ProcessContext* context = nullptr);
    std::vector<uint8_t> state() const;
};

class Vst3Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        factory = moduleFactory();
        ASSERT_NE(factory, nullptr) << "the module " QARN_VST3_FILE " loads and answers its factory";
    }
    vst3::IPluginFactory* factory = nullptr;
};
