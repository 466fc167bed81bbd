// The VST 3 module driven as a host drives it: the factory and its two
// classes, the component's buses and blocks of notes, the "Instrument"
// parameter on both halves, and the view saved as the component's state.
#include "tests/vst3/Vst3Plugin.h"
#include "tests/support/LogFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace vst3;

namespace {

std::string narrow(const char16* text)
{
    std::string result;
    for (; *text; ++text)
        result += static_cast<char>(*text);
    return result;
}

void widen(const char* text, char16* into)
{
    do
        *into++ = static_cast<char16>(*text);
    while (*text++);
}

// The instrument the controller shows.
int instrumentOf(IEditController& controller)
{
    return static_cast<int>(controller.normalizedParamToPlain(0, controller.getParamNormalized(0)));
}

// The line of the diagnostic log an instance writes after `play` drove it
// from the start of processing.
template <typename Play> std::string diagnosticLineOf(IPluginFactory& factory, const std::string& log, Play play)
{
    std::remove(log.c_str());
    setLogVariable(log);
    {
        Vst3Instance instance(factory);
        setLogVariable("");
        EXPECT_TRUE(instance.start());
        play(instance);
    }
    const std::string line = fileContents(log);
    std::remove(log.c_str());
    return line;
}

} // namespace

TEST_F(Vst3Test, TheFactoryDescribesAComponentAndTheControllerItNames)
{
    PFactoryInfo factoryInfo = {};
    ASSERT_EQ(factory->getFactoryInfo(&factoryInfo), kResultOk);
    EXPECT_STREQ(factoryInfo.vendor, "Qarn");
    ASSERT_EQ(factory->countClasses(), 2);

    IPluginFactory3* factory3 = nullptr;
    ASSERT_EQ(factory->queryInterface(IPluginFactory3_iid.bytes, reinterpret_cast<void**>(&factory3)), kResultOk);
    PClassInfo2 component = {};
    PClassInfoW controller = {};
    ASSERT_EQ(factory3->getClassInfo2(0, &component), kResultOk);
    ASSERT_EQ(factory3->getClassInfoUnicode(1, &controller), kResultOk);
    EXPECT_STREQ(component.category, "Audio Module Class");
    EXPECT_STREQ(component.name, "Qarn Viewer");
    EXPECT_STREQ(component.subCategories, "Instrument") << "placed where notes arrive";
    EXPECT_STREQ(component.version, "1.0.0");
    EXPECT_STREQ(controller.category, "Component Controller Class");
    EXPECT_EQ(narrow(controller.name), "Qarn Viewer");
    EXPECT_NE(std::memcmp(component.cid, controller.cid, sizeof component.cid), 0);
    EXPECT_EQ(factory3->getClassInfo2(2, &component), kInvalidArgument);

    Vst3Instance instance(*factory);
    ASSERT_NE(instance.component, nullptr);
    TUID named = {};
    ASSERT_EQ(instance.component->getControllerClassId(named), kResultOk);
    EXPECT_EQ(std::memcmp(named, controller.cid, sizeof named), 0);
    ASSERT_NE(instance.controller, nullptr);
    ASSERT_NE(instance.processor, nullptr);

    void* object = &object;
    EXPECT_EQ(factory->createInstance(component.cid, IPlugView_iid.bytes, &object), kNoInterface);
    EXPECT_EQ(object, nullptr);
    TUID unknown = {1, 2, 3};
    EXPECT_NE(factory->createInstance(unknown, IComponent_iid.bytes, &object), kResultOk);
    EXPECT_EQ(object, nullptr);
}

TEST_F(Vst3Test, TheComponentHasOneEventInputAndNoAudio)
{
    Vst3Instance instance(*factory);
    IComponent& component = *instance.component;
    EXPECT_EQ(component.getBusCount(kEvent, kInput), 1);
    EXPECT_EQ(component.getBusCount(kEvent, kOutput), 0);
    EXPECT_EQ(component.getBusCount(kAudio, kInput), 0);
    EXPECT_EQ(component.getBusCount(kAudio, kOutput), 0);
    BusInfo bus = {};
    ASSERT_EQ(component.getBusInfo(kEvent, kInput, 0, bus), kResultOk);
    EXPECT_EQ(bus.channelCount, 16) << "practice scoring listens on channel 16";
    EXPECT_EQ(bus.flags & BusInfo::kDefaultActive, BusInfo::kDefaultActive);
    EXPECT_EQ(component.getBusInfo(kEvent, kInput, 1, bus), kInvalidArgument);
    EXPECT_EQ(component.getBusInfo(kAudio, kOutput, 0, bus), kInvalidArgument);
    EXPECT_EQ(instance.processor->setBusArrangements(nullptr, 0, nullptr, 0), kResultOk);
    SpeakerArrangement stereo = 3;
    EXPECT_EQ(instance.processor->setBusArrangements(nullptr, 0, &stereo, 1), kResultFalse);
    EXPECT_EQ(instance.processor->canProcessSampleSize(kSample64), kResultOk);
}

TEST_F(Vst3Test, NotesReachTheCoreAndEverythingElseIsSkipped)
{
    const std::string line = diagnosticLineOf(*factory, "vst3-notes.log", [](Vst3Instance& instance) {
        TestEvents events;
        events.noteOn(60, 0, 0.0f); // velocity 0 is still a note-on in VST 3
        events.noteOn(64, 15);
        events.noteOn(200); // no key
        events.noteOn(61, 16); // no channel
        Event data = {};
        data.type = 2; // a data (system exclusive) event
        events.events.push_back(data);
        EXPECT_EQ(instance.process(&events), kResultOk);
        TestEvents release;
        release.noteOff(60);
        release.noteOff(64, 15);
        EXPECT_EQ(instance.process(&release), kResultOk);
        EXPECT_EQ(instance.process(nullptr), kResultOk);
    });
    EXPECT_EQ(line, "vendor=\"\" product=\"Qarn Test Host\" rate=44100 block=512 events=4 note-ons=2 most-held=2\n");
}

// Seen in the diagnostic log's most keys held at once: each note lands in a
// block of its own, and only a move of the transport releases the others.
TEST_F(Vst3Test, TheHostsTransportJumpingOrStoppingReleasesTheHeldKeys)
{
    const std::string line = diagnosticLineOf(*factory, "vst3-transport.log", [](Vst3Instance& instance) {
        ProcessContext context = {};
        context.sampleRate = 44100.0;
        const auto noteAt = [&](int16_t key, int64_t sample, bool playing) {
            context.projectTimeSamples = sample;
            context.state = playing ? ProcessContext::kPlaying : 0u;
            TestEvents events;
            events.noteOn(key);
            return instance.process(&events, nullptr, &context);
        };
        EXPECT_EQ(noteAt(60, 0, true), kResultOk);
        EXPECT_EQ(noteAt(62, 512, true), kResultOk); // playing on: two held
        EXPECT_EQ(noteAt(64, 44100, true), kResultOk); // a jump
        EXPECT_EQ(noteAt(65, 44100 + 512, false), kResultOk); // a stop
        EXPECT_EQ(noteAt(67, 44100 + 512, false), kResultOk); // standing still: two held
    });
    EXPECT_EQ(line, "vendor=\"\" product=\"Qarn Test Host\" rate=44100 block=512 events=5 note-ons=5 most-held=2\n");
}

TEST_F(Vst3Test, TheInstrumentParameterNamesFiveStepsAndFollowsTheHost)
{
    Vst3Instance instance(*factory);
    IEditController& controller = *instance.controller;
    ASSERT_EQ(controller.getParameterCount(), 1);
    ParameterInfo info = {};
    ASSERT_EQ(controller.getParameterInfo(0, info), kResultOk);
    EXPECT_EQ(narrow(info.title), "Instrument");
    EXPECT_EQ(info.stepCount, 4);
    EXPECT_DOUBLE_EQ(info.defaultNormalizedValue, 0.75) << "the 88 keys";
    EXPECT_TRUE(info.flags & ParameterInfo::kIsList);
    EXPECT_EQ(controller.getParameterInfo(1, info), kInvalidArgument);

    std::string names[5];
    for (int step = 0; step < 5; ++step) {
        String128 text = {};
        ASSERT_EQ(controller.getParamStringByValue(0, step / 4.0, text), kResultOk);
        names[step] = narrow(text);
        EXPECT_FALSE(names[step].empty());
        ParamValue value = -1.0;
        ASSERT_EQ(controller.getParamValueByString(0, text, value), kResultOk);
        EXPECT_DOUBLE_EQ(value, step / 4.0) << names[step];
    }
    EXPECT_NE(names[0], names[3]);
    String128 text = {};
    EXPECT_EQ(controller.getParamStringByValue(0, 1.5, text), kInvalidArgument);
    EXPECT_EQ(controller.getParamStringByValue(1, 0.0, text), kInvalidArgument);
    ParamValue value = 0.0;
    widen("2", text);
    ASSERT_EQ(controller.getParamValueByString(0, text, value), kResultOk);
    EXPECT_DOUBLE_EQ(value, 0.5);
    widen("5", text);
    EXPECT_EQ(controller.getParamValueByString(0, text, value), kInvalidArgument);

    // The host's automation reaches the component in a block; the last point
    // counts.
    ASSERT_TRUE(instance.start());
    TestChanges changes;
    changes.change(7, {0.0});
    changes.change(0, {0.0, 0.25});
    ASSERT_EQ(instance.process(nullptr, &changes), kResultOk);
    EXPECT_EQ(instrumentOf(controller), 1);
    TestChanges outside;
    outside.change(0, {2.0});
    ASSERT_EQ(instance.process(nullptr, &outside), kResultOk);
    EXPECT_EQ(instrumentOf(controller), 1) << "a value beyond the steps changes nothing";
    EXPECT_EQ(controller.setParamNormalized(0, 0.75), kResultOk);
    EXPECT_EQ(instrumentOf(controller), 3);
    EXPECT_EQ(controller.setParamNormalized(0, -1.0), kInvalidArgument);
}

TEST_F(Vst3Test, TheViewSavedByOneInstanceIsRestoredByAnotherAndMirroredByItsController)
{
    std::vector<uint8_t> saved;
    {
        Vst3Instance instance(*factory);
        ASSERT_EQ(instance.controller->setParamNormalized(0, 0.25), kResultOk);
        saved = instance.state();
        ASSERT_EQ(saved.size(), 24u);
        EXPECT_EQ(std::string(saved.begin(), saved.begin() + 4), "QVvw");
        EXPECT_EQ(saved[7], 1) << "the instrument";
        TestStream controllerState;
        EXPECT_EQ(instance.controller->getState(&controllerState), kResultOk);
        EXPECT_TRUE(controllerState.bytes.empty()) << "the component's state holds the view";
    }
    Vst3Instance other(*factory);
    ASSERT_EQ(other.controller->setParamNormalized(0, 1.0), kResultOk);
    TestStream slowly(saved);
    slowly.piece = 5;
    ASSERT_EQ(other.component->setState(&slowly), kResultOk);
    EXPECT_EQ(instrumentOf(*other.controller), 1);
    ASSERT_EQ(other.controller->setParamNormalized(0, 1.0), kResultOk);
    TestStream again(saved);
    ASSERT_EQ(other.controller->setComponentState(&again), kResultOk);
    EXPECT_EQ(instrumentOf(*other.controller), 1) << "the controller alone shows the record too";
}

TEST_F(Vst3Test, StateThatIsNoWholeRecordOfThisVersionChangesNothing)
{
    Vst3Instance instance(*factory);
    ASSERT_EQ(instance.controller->setParamNormalized(0, 0.5), kResultOk);
    const std::vector<uint8_t> good = instance.state();
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    std::vector<uint8_t> newer = good;
    newer[4] = 2;
    std::vector<uint8_t> otherInstrument = good;
    otherInstrument[7] = 4;
    const std::vector<std::vector<uint8_t>> refused = {
        {}, {good.begin(), good.end() - 1}, longer, newer, {'Q', 'V', 'v', 'w'}};
    for (const std::vector<uint8_t>& bytes : refused) {
        TestStream forComponent(bytes);
        TestStream forController(bytes);
        EXPECT_NE(instance.component->setState(&forComponent), kResultOk) << bytes.size() << " bytes";
        EXPECT_NE(instance.controller->setComponentState(&forController), kResultOk) << bytes.size() << " bytes";
        EXPECT_EQ(instance.state(), good);
    }
    TestStream failing(otherInstrument);
    failing.failing = true;
    EXPECT_NE(instance.component->setState(&failing), kResultOk);
    EXPECT_NE(instance.component->setState(nullptr), kResultOk);
    EXPECT_EQ(instance.state(), good);
    TestStream broken;
    broken.failing = true;
    EXPECT_NE(instance.component->getState(&broken), kResultOk);
}
