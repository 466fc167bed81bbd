#include "tests/vst3/Vst3TestHost.h"

#include <algorithm>
#include <cstring>

using namespace vst3;

namespace {

template <typename Interface> const Uid& iidOf();
template <> const Uid& iidOf<IHostApplication>()
{
    return IHostApplication_iid;
}
template <> const Uid& iidOf<IBStream>()
{
    return IBStream_iid;
}
template <> const Uid& iidOf<IEventList>()
{
    return IEventList_iid;
}
template <> const Uid& iidOf<IParamValueQueue>()
{
    return IParamValueQueue_iid;
}
template <> const Uid& iidOf<IParameterChanges>()
{
    return IParameterChanges_iid;
}
template <> const Uid& iidOf<IComponentHandler>()
{
    return IComponentHandler_iid;
}
template <> const Uid& iidOf<IRunLoop>()
{
    return IRunLoop_iid;
}

} // namespace

template <typename Interface> tresult HostObject<Interface>::queryInterface(const TUID iid, void** object)
{
    if (FUnknown_iid.matches(iid) || iidOf<Interface>().matches(iid)) {
        *object = static_cast<Interface*>(this);
        return kResultOk;
    }
    *object = nullptr;
    return kNoInterface;
}

template class HostObject<IHostApplication>;
template class HostObject<IBStream>;
template class HostObject<IEventList>;
template class HostObject<IParamValueQueue>;
template class HostObject<IParameterChanges>;
template class HostObject<IComponentHandler>;
template class HostObject<IRunLoop>;

tresult TestApplication::getName(String128 name)
{
    const char16 own[] = u"Qarn Test Host";
    std::memcpy(name, own, sizeof own);
    return kResultOk;
}

tresult TestStream::read(void* buffer, int32_t size, int32_t* done)
{
    if (failing || size < 0)
        return kResultFalse;
    const size_t count = std::min({static_cast<size_t>(size), static_cast<size_t>(piece), bytes.size() - position});
    if (count > 0)
        std::memcpy(buffer, bytes.data() + position, count);
    position += count;
    if (done)
        *done = static_cast<int32_t>(count);
    return kResultOk;
}

tresult TestStream::write(void* buffer, int32_t size, int32_t* done)
{
    if (failing || size < 0)
        return kResultFalse;
    const size_t count = std::min(static_cast<size_t>(size), static_cast<size_t>(piece));
    const auto* from = static_cast<const uint8_t*>(buffer);
    bytes.insert(bytes.end(), from, from + count);
    if (done)
        *done = static_cast<int32_t>(count);
    return kResultOk;
}

tresult TestStream::tell(int64_t* at)
{
    if (!at)
        return kInvalidArgument;
    *at = static_cast<int64_t>(position);
    return kResultOk;
}

void TestEvents::noteOn(int16_t pitch, int16_t channel, float velocity)
{
    Event event = {};
    event.type = Event::kNoteOnEvent;
    event.noteOn = {channel, pitch, 0.0f, velocity, 0, -1};
    events.push_back(event);
}

void TestEvents::noteOff(int16_t pitch, int16_t channel)
{
    Event event = {};
    event.type = Event::kNoteOffEvent;
    event.noteOff = {channel, pitch, 0.0f, -1, 0.0f};
    events.push_back(event);
}

tresult TestEvents::getEvent(int32_t index, Event& event)
{
    if (index < 0 || index >= getEventCount())
        return kInvalidArgument;
    event = events[static_cast<size_t>(index)];
    return kResultOk;
}

tresult TestQueue::getPoint(int32_t index, int32_t& offset, ParamValue& value)
{
    if (index < 0 || index >= getPointCount())
        return kInvalidArgument;
    offset = index;
    value = values[static_cast<size_t>(index)];
    return kResultOk;
}

void TestChanges::change(ParamID id, std::vector<ParamValue> values)
{
    TestQueue queue;
    queue.id = id;
    queue.values = std::move(values);
    queues.push_back(queue);
}

IParamValueQueue* TestChanges::getParameterData(int32_t index)
{
    return index >= 0 && index < getParameterCount() ? &queues[static_cast<size_t>(index)] : nullptr;
}

tresult TestHandler::beginEdit(ParamID)
{
    editing = true;
    return kResultOk;
}

tresult TestHandler::performEdit(ParamID, ParamValue value)
{
    allBracketed = allBracketed && editing;
    edits.push_back(value);
    return kResultOk;
}

tresult TestHandler::endEdit(ParamID)
{
    editing = false;
    return kResultOk;
}

tresult TestRunLoop::registerEventHandler(IEventHandler*, FileDescriptor)
{
    return kResultOk;
}

tresult TestRunLoop::registerTimer(ITimerHandler* handler, TimerInterval ms)
{
    timers.push_back({handler, ms});
    return kResultOk;
}

tresult TestRunLoop::unregisterTimer(ITimerHandler* handler)
{
    const auto before = timers.size();
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.handler == handler; }),
        timers.end());
    return timers.size() < before ? kResultOk : kInvalidArgument;
}

void TestRunLoop::fire() const
{
    for (const Timer& timer : std::vector<Timer>(timers))
        timer.handler->onTimer();
}

tresult TestFrame::queryInterface(const TUID iid, void** object)
{
    if (FUnknown_iid.matches(iid) || IPlugFrame_iid.matches(iid)) {
        *object = static_cast<IPlugFrame*>(this);
        return kResultOk;
    }
    if (offersRunLoop && IRunLoop_iid.matches(iid)) {
        *object = static_cast<IRunLoop*>(&runLoop);
        return kResultOk;
    }
    *object = nullptr;
    return kNoInterface;
}

tresult TestFrame::resizeView(IPlugView*, ViewRect*)
{
    ++resizeRequests;
    return kResultFalse;
}
