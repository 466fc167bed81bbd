#include "formats/vst3/Vst3View.h"

#include <cstring>

using namespace vst3;

namespace {

// 50 a second, within the 15 to 60 idles a second VST 2 hosts call.
constexpr uint32_t idlePeriodMs = 20;

void tick(void* view)
{
    static_cast<Vst3View*>(view)->onTimer();
}

} // namespace

Vst3View::Vst3View(Vst3Controller& controller)
    : controller(controller)
{
    controller.addRef();
}

Vst3View::~Vst3View()
{
    if (parent)
        removed();
    controller.viewClosed();
    controller.release();
}

tresult Vst3View::queryInterface(const TUID iid, void** object)
{
    if (!object)
        return kInvalidArgument;
    if (FUnknown_iid.matches(iid) || IPlugView_iid.matches(iid))
        *object = static_cast<IPlugView*>(this);
    else if (ITimerHandler_iid.matches(iid))
        *object = static_cast<ITimerHandler*>(this);
    else {
        *object = nullptr;
        return kNoInterface;
    }
    addRef();
    return kResultOk;
}

uint32_t Vst3View::addRef()
{
    return refs.add();
}

uint32_t Vst3View::release()
{
    const uint32_t left = refs.drop();
    if (left == 0)
        delete this;
    return left;
}

tresult Vst3View::isPlatformTypeSupported(FIDString type)
{
    return type && std::strcmp(type, controller.platform.windowType) == 0 ? kResultTrue : kResultFalse;
}

tresult Vst3View::attached(void* newParent, FIDString type)
{
    if (!newParent || isPlatformTypeSupported(type) != kResultTrue)
        return kResultFalse;
    if (parent)
        removed();
    if (!controller.core.openEditor(newParent))
        return kResultFalse;
    parent = newParent;
    startIdle();
    return kResultOk;
}

tresult Vst3View::removed()
{
    if (!parent)
        return kResultFalse;
    stopIdle();
    controller.core.closeEditor();
    parent = nullptr;
    return kResultOk;
}

bool Vst3View::startIdle()
{
    IRunLoop* loop = nullptr;
    if (frame && frame->queryInterface(IRunLoop_iid.bytes, reinterpret_cast<void**>(&loop)) == kResultOk && loop) {
        if (loop->registerTimer(this, idlePeriodMs) == kResultOk) {
            runLoop = loop;
            return true;
        }
        loop->release();
    }
    const Vst3Platform& platform = controller.platform;
    platformTimer = platform.startIdle && platform.startIdle(parent, this, tick, idlePeriodMs);
    return platformTimer;
}

void Vst3View::stopIdle()
{
    if (runLoop) {
        runLoop->unregisterTimer(this);
        runLoop->release();
        runLoop = nullptr;
    }
    if (platformTimer)
        controller.platform.stopIdle(parent, this);
    platformTimer = false;
}

tresult Vst3View::onWheel(float)
{
    return kResultFalse;
}

tresult Vst3View::onKeyDown(char16, int16_t, int16_t)
{
    return kResultFalse;
}

tresult Vst3View::onKeyUp(char16, int16_t, int16_t)
{
    return kResultFalse;
}

bool Vst3View::ownSize(ViewRect& rect) const
{
    int32_t width = 0;
    int32_t height = 0;
    if (!controller.core.editorSize(width, height))
        return false;
    rect = {0, 0, width, height};
    return true;
}

tresult Vst3View::getSize(ViewRect* size)
{
    return size && ownSize(*size) ? kResultOk : kInvalidArgument;
}

// Only to the size it has.
tresult Vst3View::onSize(ViewRect* newSize)
{
    ViewRect own = {};
    if (!newSize || !ownSize(own))
        return kInvalidArgument;
    return newSize->right - newSize->left == own.right && newSize->bottom - newSize->top == own.bottom ? kResultOk
                                                                                                       : kResultFalse;
}

tresult Vst3View::onFocus(TBool)
{
    return kResultOk;
}

// The frame is the host's, which sets it to null before it goes; it is not
// counted, as hosts expect.
tresult Vst3View::setFrame(IPlugFrame* newFrame)
{
    frame = newFrame;
    return kResultOk;
}

tresult Vst3View::canResize()
{
    return kResultFalse;
}

tresult Vst3View::checkSizeConstraint(ViewRect* rect)
{
    ViewRect own = {};
    if (!rect || !ownSize(own))
        return kInvalidArgument;
    rect->right = rect->left + own.right;
    rect->bottom = rect->top + own.bottom;
    return kResultTrue;
}

void Vst3View::onTimer()
{
    if (parent)
        controller.idle();
}
