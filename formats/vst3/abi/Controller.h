#pragma once
// The editing half of a plug-in: the edit controller with its parameters,
// the host's component handler, and the plug view with the host's frame, as
// the format's published description lays them out; on Linux, the host's run
// loop the view's timer and file descriptors are served by.
#include "formats/vst3/abi/Processor.h"

namespace vst3 {

struct ParameterInfo {
    enum : int32_t { kCanAutomate = 1 << 0, kIsList = 1 << 3 };
    ParamID id;
    String128 title;
    String128 shortTitle;
    String128 units;
    int32_t stepCount;
    ParamValue defaultNormalizedValue;
    int32_t unitId;
    int32_t flags;
};

class IComponentHandler : public FUnknown {
public:
    // restartComponent's flags.
    enum : int32_t { kParamValuesChanged = 1 << 2 };
    virtual tresult QARN_VST3_CALL beginEdit(ParamID id) = 0;
    virtual tresult QARN_VST3_CALL performEdit(ParamID id, ParamValue valueNormalized) = 0;
    virtual tresult QARN_VST3_CALL endEdit(ParamID id) = 0;
    virtual tresult QARN_VST3_CALL restartComponent(int32_t flags) = 0;
};
constexpr Uid IComponentHandler_iid = makeUid(0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6);

struct ViewRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

class IPlugView;

class IPlugFrame : public FUnknown {
public:
    virtual tresult QARN_VST3_CALL resizeView(IPlugView* view, ViewRect* newSize) = 0;
};
constexpr Uid IPlugFrame_iid = makeUid(0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3);

// The kinds of parent window a view is attached to.
constexpr char kPlatformTypeHWND[] = "HWND";
constexpr char kPlatformTypeX11EmbedWindowID[] = "X11EmbedWindowID";
// The view createView is asked for.
constexpr char kEditorViewType[] = "editor";

class IPlugView : public FUnknown {
public:
    virtual tresult QARN_VST3_CALL isPlatformTypeSupported(FIDString type) = 0;
    virtual tresult QARN_VST3_CALL attached(void* parent, FIDString type) = 0;
    virtual tresult QARN_VST3_CALL removed() = 0;
    virtual tresult QARN_VST3_CALL onWheel(float distance) = 0;
    virtual tresult QARN_VST3_CALL onKeyDown(char16 key, int16_t keyCode, int16_t modifiers) = 0;
    virtual tresult QARN_VST3_CALL onKeyUp(char16 key, int16_t keyCode, int16_t modifiers) = 0;
    virtual tresult QARN_VST3_CALL getSize(ViewRect* size) = 0;
    virtual tresult QARN_VST3_CALL onSize(ViewRect* newSize) = 0;
    virtual tresult QARN_VST3_CALL onFocus(TBool state) = 0;
    virtual tresult QARN_VST3_CALL setFrame(IPlugFrame* frame) = 0;
    virtual tresult QARN_VST3_CALL canResize() = 0;
    virtual tresult QARN_VST3_CALL checkSizeConstraint(ViewRect* rect) = 0;
};
constexpr Uid IPlugView_iid = makeUid(0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29);

class IEditController : public IPluginBase {
public:
    virtual tresult QARN_VST3_CALL setComponentState(IBStream* state) = 0;
    virtual tresult QARN_VST3_CALL setState(IBStream* state) = 0;
    virtual tresult QARN_VST3_CALL getState(IBStream* state) = 0;
    virtual int32_t QARN_VST3_CALL getParameterCount() = 0;
    virtual tresult QARN_VST3_CALL getParameterInfo(int32_t index, ParameterInfo& info) = 0;
    virtual tresult QARN_VST3_CALL getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 text) = 0;
    virtual tresult QARN_VST3_CALL getParamValueByString(ParamID id, char16* text, ParamValue& valueNormalized) = 0;
    virtual ParamValue QARN_VST3_CALL normalizedParamToPlain(ParamID id, ParamValue valueNormalized) = 0;
    virtual ParamValue QARN_VST3_CALL plainParamToNormalized(ParamID id, ParamValue plainValue) = 0;
    virtual ParamValue QARN_VST3_CALL getParamNormalized(ParamID id) = 0;
    virtual tresult QARN_VST3_CALL setParamNormalized(ParamID id, ParamValue value) = 0;
    virtual tresult QARN_VST3_CALL setComponentHandler(IComponentHandler* handler) = 0;
    virtual IPlugView* QARN_VST3_CALL createView(FIDString name) = 0;
};
constexpr Uid IEditController_iid = makeUid(0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E);

// Linux only: hosts hand the view its run loop through the frame.
using FileDescriptor = int;
using TimerInterval = uint64_t;

class IEventHandler : public FUnknown {
public:
    virtual void QARN_VST3_CALL onFDIsSet(FileDescriptor fd) = 0;
};
constexpr Uid IEventHandler_iid = makeUid(0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983);

class ITimerHandler : public FUnknown {
public:
    virtual void QARN_VST3_CALL onTimer() = 0;
};
constexpr Uid ITimerHandler_iid = makeUid(0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9);

class IRunLoop : public FUnknown {
public:
    virtual tresult QARN_VST3_CALL registerEventHandler(IEventHandler* handler, FileDescriptor fd) = 0;
    virtual tresult QARN_VST3_CALL unregisterEventHandler(IEventHandler* handler) = 0;
    virtual tresult QARN_VST3_CALL registerTimer(ITimerHandler* handler, TimerInterval milliseconds) = 0;
    virtual tresult QARN_VST3_CALL unregisterTimer(ITimerHandler* handler) = 0;
};
constexpr Uid IRunLoop_iid = makeUid(0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389);

static_assert(sizeof(ParameterInfo) == 792, "ParameterInfo has the host's size");
static_assert(offsetof(ParameterInfo, stepCount) == 772, "ParameterInfo::stepCount is where the host reads it");
static_assert(offsetof(ParameterInfo, defaultNormalizedValue) == 776, "ParameterInfo as the host reads it");
static_assert(sizeof(ViewRect) == 16, "ViewRect has the host's size");

} // namespace vst3
