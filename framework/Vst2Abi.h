#pragma once

// The VST 2 binary interface between a host and an effect: the records both
// sides share, the opcodes of the effect dispatcher and of the host callback,
// and the flag bits of AEffect. One header for both Windows targets: on
// 32-bit x86 pointers and VstIntPtr are 4 bytes, on x86-64 they are 8 and
// every member takes its natural alignment (the native 64-bit build used by
// the unit tests lays the records out the same way). The offsets hosts read
// are checked at the end for both widths.

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define VSTCALLBACK __cdecl
#else
#define VSTCALLBACK
#endif

struct AEffect;

// The pointer-sized integer of the interface: dispatcher and host-callback
// values and answers, which often carry a pointer or a window handle.
typedef intptr_t VstIntPtr;

// The host's side of the interface: every request an effect makes of its host.
typedef VstIntPtr(VSTCALLBACK* audioMasterCallback)(
    AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value, void* ptr, float opt);

typedef VstIntPtr(VSTCALLBACK* AEffectDispatcherProc)(
    AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value, void* ptr, float opt);
typedef void(VSTCALLBACK* AEffectProcessProc)(AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames);
typedef void(VSTCALLBACK* AEffectProcessDoubleProc)(
    AEffect* effect, double** inputs, double** outputs, int32_t sampleFrames);
typedef void(VSTCALLBACK* AEffectSetParameterProc)(AEffect* effect, int32_t index, float value);
typedef float(VSTCALLBACK* AEffectGetParameterProc)(AEffect* effect, int32_t index);

// 'VstP': the host rejects a record without it.
const int32_t kEffectMagic = 0x56737450;

// The record the host holds for each effect instance; the effect fills it in
// and keeps it alive until effClose.
struct AEffect {
    int32_t magic;
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process;
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    int32_t numPrograms;
    int32_t numParams;
    int32_t numInputs;
    int32_t numOutputs;
    int32_t flags;
    VstIntPtr resvd1;
    VstIntPtr resvd2;
    int32_t initialDelay;
    int32_t realQualities;
    int32_t offQualities;
    float ioRatio;
    void* object;
    void* user;
    int32_t uniqueID;
    int32_t version;
    AEffectProcessProc processReplacing;
    // Left null: the effect offers no double-precision audio, and hosts that
    // know the slot test it before calling.
    AEffectProcessDoubleProc processDoubleReplacing;
    char future[56];
};

enum {
    effFlagsHasEditor = 1 << 0,
    effFlagsHasClip = 1 << 1,
    effFlagsHasVu = 1 << 2,
    effFlagsCanMono = 1 << 3,
    effFlagsCanReplacing = 1 << 4,
    effFlagsProgramChunks = 1 << 5,
    effFlagsIsSynth = 1 << 8,
    effFlagsNoSoundInStop = 1 << 9,
    effFlagsExtIsAsync = 1 << 10,
    effFlagsExtHasBuffer = 1 << 11,
};

// Editor rectangle in pixels, relative to the host's window.
struct ERect {
    int16_t top;
    int16_t left;
    int16_t bottom;
    int16_t right;
};

const int32_t kVstMidiType = 1;

// What effGetPlugCategory answers, and the VST version effGetVstVersion answers.
const int32_t kPlugCategoryUnknown = 0;
const int32_t kPlugCategorySynth = 2;
const int32_t kVstVersion = 2;

// Common head of every event in a VstEvents block; `type` says which record it is.
struct VstEvent {
    int32_t type;
    int32_t byteSize;
    int32_t deltaFrames;
    int32_t flags;
    char data[16];
};

// A block of events; the host allocates room for `numEvents` pointers
// (the declared two are only the minimum).
struct VstEvents {
    int32_t numEvents;
    VstIntPtr reserved;
    VstEvent* events[2];
};

struct VstMidiEvent {
    int32_t type;
    int32_t byteSize;
    int32_t deltaFrames;
    int32_t flags;
    int32_t noteLength;
    int32_t noteOffset;
    char midiData[4];
    char detune;
    char noteOffVelocity;
    char reserved1;
    char reserved2;
};

// VstTimeInfo flag bits: the transport started, stopped or jumped; it plays;
// which of the optional members hold values.
const int32_t kVstTransportChanged = 1;
const int32_t kVstTransportPlaying = 1 << 1;
const int32_t kVstPpqPosValid = 1 << 9;
const int32_t kVstTempoValid = 1 << 10;
const int32_t kVstTimeSigValid = 1 << 13;

struct VstTimeInfo {
    double samplePos;
    double sampleRate;
    double nanoSeconds;
    double ppqPos;
    double tempo;
    double barStartPos;
    double cycleStartPos;
    double cycleEndPos;
    int32_t timeSigNumerator;
    int32_t timeSigDenominator;
    int32_t smpteOffset;
    int32_t smpteFrameRate;
    int32_t samplesToNextClock;
    int32_t flags;
};

// Records that only pass through the interface as pointers; nothing here
// reads or writes them, so their layouts are left undeclared.
struct VstPinProperties;
struct VstParameterProperties;
struct VstSpeakerArrangement;
struct VstOfflineTask;
struct VstAudioFile;
struct VstVariableIo;
struct VstWindow;

// Effect dispatcher opcodes (host -> effect).
enum {
    effOpen = 0,
    effClose = 1,
    effSetProgram = 2,
    effGetProgram = 3,
    effSetProgramName = 4,
    effGetProgramName = 5,
    effGetParamLabel = 6,
    effGetParamDisplay = 7,
    effGetParamName = 8,
    effGetVu = 9,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effEditGetRect = 13,
    effEditOpen = 14,
    effEditClose = 15,
    effEditDraw = 16,
    effEditMouse = 17,
    effEditKey = 18,
    effEditIdle = 19,
    effEditTop = 20,
    effEditSleep = 21,
    effIdentify = 22,
    effGetChunk = 23,
    effSetChunk = 24,
    effProcessEvents = 25,
    effCanBeAutomated = 26,
    effString2Parameter = 27,
    effGetNumProgramCategories = 28,
    effGetProgramNameIndexed = 29,
    effCopyProgram = 30,
    effConnectInput = 31,
    effConnectOutput = 32,
    effGetInputProperties = 33,
    effGetOutputProperties = 34,
    effGetPlugCategory = 35,
    effGetCurrentPosition = 36,
    effGetDestinationBuffer = 37,
    effOfflineNotify = 38,
    effOfflinePrepare = 39,
    effOfflineRun = 40,
    effProcessVarIo = 41,
    effSetSpeakerArrangement = 42,
    effSetBlockSizeAndSampleRate = 43,
    effSetBypass = 44,
    effGetEffectName = 45,
    effGetErrorText = 46,
    effGetVendorString = 47,
    effGetProductString = 48,
    effGetVendorVersion = 49,
    effVendorSpecific = 50,
    effCanDo = 51,
    effGetTailSize = 52,
    effIdle = 53,
    effGetIcon = 54,
    effSetViewPosition = 55,
    effGetParameterProperties = 56,
    effKeysRequired = 57,
    effGetVstVersion = 58,
    effEditKeyDown = 59,
    effEditKeyUp = 60,
};

// Host callback opcodes (effect -> host). 5 is unassigned.
enum {
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterCurrentId = 2,
    audioMasterIdle = 3,
    audioMasterPinConnected = 4,
    audioMasterWantMidi = 6,
    audioMasterGetTime = 7,
    audioMasterProcessEvents = 8,
    audioMasterSetTime = 9,
    audioMasterTempoAt = 10,
    audioMasterGetNumAutomatableParameters = 11,
    audioMasterGetParameterQuantization = 12,
    audioMasterIOChanged = 13,
    audioMasterNeedIdle = 14,
    audioMasterSizeWindow = 15,
    audioMasterGetSampleRate = 16,
    audioMasterGetBlockSize = 17,
    audioMasterGetInputLatency = 18,
    audioMasterGetOutputLatency = 19,
    audioMasterGetPreviousPlug = 20,
    audioMasterGetNextPlug = 21,
    audioMasterWillReplaceOrAccumulate = 22,
    audioMasterGetCurrentProcessLevel = 23,
    audioMasterGetAutomationState = 24,
    audioMasterOfflineStart = 25,
    audioMasterOfflineRead = 26,
    audioMasterOfflineWrite = 27,
    audioMasterOfflineGetCurrentPass = 28,
    audioMasterOfflineGetCurrentMetaPass = 29,
    audioMasterSetOutputSampleRate = 30,
    audioMasterGetSpeakerArrangement = 31,
    audioMasterGetVendorString = 32,
    audioMasterGetProductString = 33,
    audioMasterGetVendorVersion = 34,
    audioMasterVendorSpecific = 35,
    audioMasterSetIcon = 36,
    audioMasterCanDo = 37,
    audioMasterGetLanguage = 38,
    audioMasterOpenWindow = 39,
    audioMasterCloseWindow = 40,
    audioMasterGetDirectory = 41,
    audioMasterUpdateDisplay = 42,
};

// The layouts hosts rely on, for the width being built: each record's size
// and the offset of every member that the plug-in or a host reads.
#define QARN_ABI_SIZE(record, size32, size64) \
    static_assert(sizeof(record) == (sizeof(void*) == 8 ? (size64) : (size32)), #record " has the host's size")
#define QARN_ABI_OFFSET(record, member, offset32, offset64)                                          \
    static_assert(offsetof(record, member) == (sizeof(void*) == 8 ? (offset64) : (offset32)), \
        #record "::" #member " is where the host reads it")

static_assert(sizeof(VstIntPtr) == sizeof(void*), "VstIntPtr holds a pointer");

QARN_ABI_SIZE(AEffect, 144, 192);
QARN_ABI_OFFSET(AEffect, magic, 0, 0);
QARN_ABI_OFFSET(AEffect, dispatcher, 4, 8);
QARN_ABI_OFFSET(AEffect, process, 8, 16);
QARN_ABI_OFFSET(AEffect, setParameter, 12, 24);
QARN_ABI_OFFSET(AEffect, getParameter, 16, 32);
QARN_ABI_OFFSET(AEffect, numPrograms, 20, 40);
QARN_ABI_OFFSET(AEffect, numParams, 24, 44);
QARN_ABI_OFFSET(AEffect, numInputs, 28, 48);
QARN_ABI_OFFSET(AEffect, numOutputs, 32, 52);
QARN_ABI_OFFSET(AEffect, flags, 36, 56);
QARN_ABI_OFFSET(AEffect, resvd1, 40, 64);
QARN_ABI_OFFSET(AEffect, resvd2, 44, 72);
QARN_ABI_OFFSET(AEffect, initialDelay, 48, 80);
QARN_ABI_OFFSET(AEffect, realQualities, 52, 84);
QARN_ABI_OFFSET(AEffect, offQualities, 56, 88);
QARN_ABI_OFFSET(AEffect, ioRatio, 60, 92);
QARN_ABI_OFFSET(AEffect, object, 64, 96);
QARN_ABI_OFFSET(AEffect, user, 68, 104);
QARN_ABI_OFFSET(AEffect, uniqueID, 72, 112);
QARN_ABI_OFFSET(AEffect, version, 76, 116);
QARN_ABI_OFFSET(AEffect, processReplacing, 80, 120);
QARN_ABI_OFFSET(AEffect, processDoubleReplacing, 84, 128);
QARN_ABI_OFFSET(AEffect, future, 88, 136);

QARN_ABI_SIZE(ERect, 8, 8);
QARN_ABI_OFFSET(ERect, top, 0, 0);
QARN_ABI_OFFSET(ERect, left, 2, 2);
QARN_ABI_OFFSET(ERect, bottom, 4, 4);
QARN_ABI_OFFSET(ERect, right, 6, 6);

QARN_ABI_SIZE(VstEvents, 16, 32);
QARN_ABI_OFFSET(VstEvents, numEvents, 0, 0);
QARN_ABI_OFFSET(VstEvents, reserved, 4, 8);
QARN_ABI_OFFSET(VstEvents, events, 8, 16);

// Every event starts with the same head, whatever its type.
#define QARN_ABI_EVENT_HEAD(record)              \
    QARN_ABI_SIZE(record, 32, 32);               \
    QARN_ABI_OFFSET(record, type, 0, 0);         \
    QARN_ABI_OFFSET(record, byteSize, 4, 4);     \
    QARN_ABI_OFFSET(record, deltaFrames, 8, 8);  \
    QARN_ABI_OFFSET(record, flags, 12, 12)

QARN_ABI_EVENT_HEAD(VstEvent);
QARN_ABI_OFFSET(VstEvent, data, 16, 16);

QARN_ABI_EVENT_HEAD(VstMidiEvent);
QARN_ABI_OFFSET(VstMidiEvent, noteLength, 16, 16);
QARN_ABI_OFFSET(VstMidiEvent, noteOffset, 20, 20);
QARN_ABI_OFFSET(VstMidiEvent, midiData, 24, 24);
QARN_ABI_OFFSET(VstMidiEvent, detune, 28, 28);
QARN_ABI_OFFSET(VstMidiEvent, noteOffVelocity, 29, 29);

QARN_ABI_SIZE(VstTimeInfo, 88, 88);
QARN_ABI_OFFSET(VstTimeInfo, samplePos, 0, 0);
QARN_ABI_OFFSET(VstTimeInfo, sampleRate, 8, 8);
QARN_ABI_OFFSET(VstTimeInfo, nanoSeconds, 16, 16);
QARN_ABI_OFFSET(VstTimeInfo, ppqPos, 24, 24);
QARN_ABI_OFFSET(VstTimeInfo, tempo, 32, 32);
QARN_ABI_OFFSET(VstTimeInfo, barStartPos, 40, 40);
QARN_ABI_OFFSET(VstTimeInfo, cycleStartPos, 48, 48);
QARN_ABI_OFFSET(VstTimeInfo, cycleEndPos, 56, 56);
QARN_ABI_OFFSET(VstTimeInfo, timeSigNumerator, 64, 64);
QARN_ABI_OFFSET(VstTimeInfo, timeSigDenominator, 68, 68);
QARN_ABI_OFFSET(VstTimeInfo, smpteOffset, 72, 72);
QARN_ABI_OFFSET(VstTimeInfo, smpteFrameRate, 76, 76);
QARN_ABI_OFFSET(VstTimeInfo, samplesToNextClock, 80, 80);
QARN_ABI_OFFSET(VstTimeInfo, flags, 84, 84);

#undef QARN_ABI_EVENT_HEAD
#undef QARN_ABI_SIZE
#undef QARN_ABI_OFFSET
