#pragma once
// The processing half of a plug-in: the component with its buses and state,
// the audio processor with its blocks, and the event and parameter lists a
// block carries, as the format's published description lays them out.
#include "formats/vst3/abi/Base.h"

namespace vst3 {

using MediaType = int32_t;
enum : MediaType { kAudio = 0, kEvent = 1 };
using BusDirection = int32_t;
enum : BusDirection { kInput = 0, kOutput = 1 };
using BusType = int32_t;
enum : BusType { kMain = 0, kAux = 1 };
using IoMode = int32_t;
using ParamID = uint32_t;
using ParamValue = double;
using SpeakerArrangement = uint64_t;

struct BusInfo {
    enum : uint32_t { kDefaultActive = 1 << 0 };
    MediaType mediaType;
    BusDirection direction;
    int32_t channelCount;
    String128 name;
    BusType busType;
    uint32_t flags;
};

struct RoutingInfo {
    MediaType mediaType;
    int32_t busIndex;
    int32_t channel;
};

class IComponent : public IPluginBase {
public:
    virtual tresult QARN_VST3_CALL getControllerClassId(TUID classId) = 0;
    virtual tresult QARN_VST3_CALL setIoMode(IoMode mode) = 0;
    virtual int32_t QARN_VST3_CALL getBusCount(MediaType type, BusDirection direction) = 0;
    virtual tresult QARN_VST3_CALL getBusInfo(MediaType type, BusDirection direction, int32_t index, BusInfo& bus) = 0;
    virtual tresult QARN_VST3_CALL getRoutingInfo(RoutingInfo& in, RoutingInfo& out) = 0;
    virtual tresult QARN_VST3_CALL activateBus(MediaType type, BusDirection direction, int32_t index, TBool state) = 0;
    virtual tresult QARN_VST3_CALL setActive(TBool state) = 0;
    virtual tresult QARN_VST3_CALL setState(IBStream* state) = 0;
    virtual tresult QARN_VST3_CALL getState(IBStream* state) = 0;
};
constexpr Uid IComponent_iid = makeUid(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802);

// Note events: velocity runs from 0 to 1.
struct NoteOnEvent {
    int16_t channel;
    int16_t pitch;
    float tuning;
    float velocity;
    int32_t length;
    int32_t noteId;
};

struct NoteOffEvent {
    int16_t channel;
    int16_t pitch;
    float velocity;
    int32_t noteId;
    float tuning;
};

struct Event {
    enum : uint16_t { kNoteOnEvent = 0, kNoteOffEvent = 1 };
    int32_t busIndex;
    int32_t sampleOffset;
    double ppqPosition;
    uint16_t flags;
    uint16_t type;
    // The other kinds (data, pressure, note expression, chord, scale) are
    // no larger than a note-on padded to the eight bytes a note
    // expression's double aligns the union to: 24 bytes on either width.
    union {
        NoteOnEvent noteOn;
        NoteOffEvent noteOff;
        double aligned;
    };
};

class IEventList : public FUnknown {
public:
    virtual int32_t QARN_VST3_CALL getEventCount() = 0;
    virtual tresult QARN_VST3_CALL getEvent(int32_t index, Event& event) = 0;
    virtual tresult QARN_VST3_CALL addEvent(Event& event) = 0;
};
constexpr Uid IEventList_iid = makeUid(0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44);

class IParamValueQueue : public FUnknown {
public:
    virtual ParamID QARN_VST3_CALL getParameterId() = 0;
    virtual int32_t QARN_VST3_CALL getPointCount() = 0;
    virtual tresult QARN_VST3_CALL getPoint(int32_t index, int32_t& sampleOffset, ParamValue& value) = 0;
    virtual tresult QARN_VST3_CALL addPoint(int32_t sampleOffset, ParamValue value, int32_t& index) = 0;
};
constexpr Uid IParamValueQueue_iid = makeUid(0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA);

class IParameterChanges : public FUnknown {
public:
    virtual int32_t QARN_VST3_CALL getParameterCount() = 0;
    virtual IParamValueQueue* QARN_VST3_CALL getParameterData(int32_t index) = 0;
    virtual IParamValueQueue* QARN_VST3_CALL addParameterData(const ParamID& id, int32_t& index) = 0;
};
constexpr Uid IParameterChanges_iid = makeUid(0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D);

struct ProcessSetup {
    int32_t processMode;
    int32_t symbolicSampleSize;
    int32_t maxSamplesPerBlock;
    double sampleRate;
};

struct AudioBusBuffers {
    int32_t numChannels;
    uint64_t silenceFlags;
    union {
        float** channelBuffers32;
        double** channelBuffers64;
    };
};

struct Chord {
    uint8_t keyNote;
    uint8_t rootNote;
    int16_t chordMask;
};

struct FrameRate {
    uint32_t framesPerSecond;
    uint32_t flags;
};

// The host's transport at the start of a block. `state` says what plays and
// which of the later members hold something; the sample position always does.
struct ProcessContext {
    enum StatesAndFlags : uint32_t {
        kPlaying = 1u << 1,
        kCycleActive = 1u << 2,
        kRecording = 1u << 3,
        kSystemTimeValid = 1u << 8,
        kProjectTimeMusicValid = 1u << 9,
        kTempoValid = 1u << 10,
        kBarPositionValid = 1u << 11,
        kCycleValid = 1u << 12,
        kTimeSigValid = 1u << 13,
    };
    uint32_t state;
    double sampleRate;
    int64_t projectTimeSamples;
    int64_t systemTime; // nanoseconds
    int64_t continousTimeSamples;
    double projectTimeMusic; // quarter notes
    double barPositionMusic;
    double cycleStartMusic;
    double cycleEndMusic;
    double tempo;
    int32_t timeSigNumerator;
    int32_t timeSigDenominator;
    Chord chord;
    int32_t smpteOffsetSubframes;
    FrameRate frameRate;
    int32_t samplesToNextClock;
};

enum : int32_t { kSample32 = 0, kSample64 = 1 };

struct ProcessData {
    int32_t processMode;
    int32_t symbolicSampleSize;
    int32_t numSamples;
    int32_t numInputs;
    int32_t numOutputs;
    AudioBusBuffers* inputs;
    AudioBusBuffers* outputs;
    IParameterChanges* inputParameterChanges;
    IParameterChanges* outputParameterChanges;
    IEventList* inputEvents;
    IEventList* outputEvents;
    ProcessContext* processContext;
};

class IAudioProcessor : public FUnknown {
public:
    virtual tresult QARN_VST3_CALL setBusArrangements(
        SpeakerArrangement* inputs, int32_t inputCount, SpeakerArrangement* outputs, int32_t outputCount) = 0;
    virtual tresult QARN_VST3_CALL getBusArrangement(
        BusDirection direction, int32_t index, SpeakerArrangement& arrangement) = 0;
    virtual tresult QARN_VST3_CALL canProcessSampleSize(int32_t symbolicSampleSize) = 0;
    virtual uint32_t QARN_VST3_CALL getLatencySamples() = 0;
    virtual tresult QARN_VST3_CALL setupProcessing(ProcessSetup& setup) = 0;
    virtual tresult QARN_VST3_CALL setProcessing(TBool state) = 0;
    virtual tresult QARN_VST3_CALL process(ProcessData& data) = 0;
    virtual uint32_t QARN_VST3_CALL getTailSamples() = 0;
};
constexpr Uid IAudioProcessor_iid = makeUid(0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D);

// Windows aligns 64-bit members to eight bytes in 32-bit code too; no 32-bit
// Linux build is made.
constexpr bool wide = sizeof(void*) == 8;
static_assert(sizeof(BusInfo) == 276, "BusInfo has the host's size");
static_assert(offsetof(BusInfo, busType) == 268, "BusInfo::busType is where the host reads it");
static_assert(sizeof(NoteOnEvent) == 20 && sizeof(NoteOffEvent) == 16, "note events have the host's sizes");
static_assert(sizeof(Event) == 48, "Event has the host's size");
static_assert(offsetof(Event, type) == 18, "Event::type is where the host writes it");
static_assert(offsetof(Event, noteOn) == 24, "an event's body is where the host writes it");
static_assert(sizeof(ProcessSetup) == 24 && offsetof(ProcessSetup, sampleRate) == 16, "ProcessSetup as the host's");
static_assert(sizeof(AudioBusBuffers) == 24, "AudioBusBuffers has the host's size");
static_assert(sizeof(ProcessContext) == 112, "ProcessContext has the host's size");
static_assert(offsetof(ProcessContext, projectTimeSamples) == 16, "ProcessContext::projectTimeSamples as the host's");
static_assert(
    offsetof(ProcessContext, tempo) == 72 && offsetof(ProcessContext, chord) == 88, "ProcessContext as the host's");
static_assert(offsetof(ProcessContext, samplesToNextClock) == 104, "ProcessContext as the host's");
static_assert(sizeof(ProcessData) == (wide ? 80 : 48), "ProcessData has the host's size");
static_assert(offsetof(ProcessData, inputParameterChanges) == (wide ? 40 : 28), "ProcessData as the host's");
static_assert(offsetof(ProcessData, inputEvents) == (wide ? 56 : 36), "ProcessData::inputEvents as the host's");

} // namespace vst3
