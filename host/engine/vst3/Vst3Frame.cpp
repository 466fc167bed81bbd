#include "host/engine/vst3/Vst3Frame.h"

#include <algorithm>

namespace {

constexpr int largestSide = 4096;

} // namespace

vst3::tresult Vst3Application::getName(vst3::String128 name)
{
    const char text[] = "QarnHost";
    for (size_t i = 0; i < sizeof text; ++i)
        name[i] = static_cast<vst3::char16>(text[i]);
    return vst3::kResultOk;
}

vst3::tresult Vst3RunLoop::registerEventHandler(vst3::IEventHandler* handler, vst3::FileDescriptor fd)
{
    if (!HostWindow::watchesDescriptors())
        return vst3::kNotImplemented;
    if (!handler || fd < 0)
        return vst3::kInvalidArgument;
    watches.push_back(Watch{handler, fd});
    watch(watches.back());
    return vst3::kResultOk;
}

vst3::tresult Vst3RunLoop::unregisterEventHandler(vst3::IEventHandler* handler)
{
    bool found = false;
    for (auto it = watches.begin(); it != watches.end();) {
        if (it->handler != handler) {
            ++it;
            continue;
        }
        if (eventLoop)
            eventLoop->stopWatching(it->fd);
        it = watches.erase(it);
        found = true;
    }
    return found ? vst3::kResultOk : vst3::kInvalidArgument;
}

vst3::tresult Vst3RunLoop::registerTimer(vst3::ITimerHandler* handler, vst3::TimerInterval)
{
    if (!handler)
        return vst3::kInvalidArgument;
    timers.push_back(handler);
    return vst3::kResultOk;
}

vst3::tresult Vst3RunLoop::unregisterTimer(vst3::ITimerHandler* handler)
{
    const auto it = std::find(timers.begin(), timers.end(), handler);
    if (it == timers.end())
        return vst3::kInvalidArgument;
    timers.erase(it);
    return vst3::kResultOk;
}

void Vst3RunLoop::runTimers()
{
    // A timer may go while another runs: each is looked up again.
    for (size_t i = 0; i < timers.size(); ++i)
        timers[i]->onTimer();
}

void Vst3RunLoop::useEventLoop(HostWindow* window)
{
    if (eventLoop) {
        for (const Watch& descriptor : watches)
            eventLoop->stopWatching(descriptor.fd);
    }
    eventLoop = window;
    for (const Watch& descriptor : watches)
        watch(descriptor);
}

void Vst3RunLoop::watch(const Watch& descriptor)
{
    if (!eventLoop)
        return;
    vst3::IEventHandler* handler = descriptor.handler;
    const int fd = descriptor.fd;
    eventLoop->watchDescriptor(fd, HostWindow::DescriptorRead, [handler, fd](unsigned) { handler->onFDIsSet(fd); });
}

vst3::tresult Vst3Frame::queryInterface(const vst3::TUID iid, void** object)
{
    if (!object)
        return vst3::kInvalidArgument;
    if (vst3::FUnknown_iid.matches(iid) || vst3::IPlugFrame_iid.matches(iid)) {
        *object = this;
        return vst3::kResultOk;
    }
    // Windows hosts offer no run loop, but ours does: the view's timer then
    // runs at the host's idle steps, so a script or a render idles the view
    // exactly as it idles a VST 2 editor, rather than on a timer of its own.
    if (vst3::IRunLoop_iid.matches(iid)) {
        *object = &runLoop;
        return vst3::kResultOk;
    }
    *object = nullptr;
    return vst3::kNoInterface;
}

vst3::tresult Vst3Frame::resizeView(vst3::IPlugView* view, vst3::ViewRect* newSize)
{
    if (!view || !newSize)
        return vst3::kInvalidArgument;
    const int width = newSize->right - newSize->left;
    const int height = newSize->bottom - newSize->top;
    if (width <= 0 || height <= 0 || width > largestSide || height > largestSide || !resizeWindow ||
        !resizeWindow(width, height))
        return vst3::kResultFalse;
    view->onSize(newSize);
    return vst3::kResultOk;
}
