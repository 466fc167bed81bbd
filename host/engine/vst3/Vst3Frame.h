#pragma once
// The host's side of a VST 3 editor: the application context that names
// the host, and the view's frame, which answers for a run loop: its timers
// run at each editor idle (the host's idle tick is their clock, as for CLAP)
// and, where the host window watches file descriptors (Linux), its
// descriptors in the window's event loop.
#include "formats/vst3/abi/Controller.h"
#include "formats/vst3/abi/Factory.h"
#include "host/engine/HostWindow.h"
#include "host/engine/vst3/Vst3HostObject.h"

#include <functional>
#include <vector>

class Vst3Application final : public Vst3HostObject<vst3::IHostApplication> {
public:
    Vst3Application()
        : Vst3HostObject(vst3::IHostApplication_iid)
    {
    }
    vst3::tresult QARN_VST3_CALL getName(vst3::String128 name) override;
    vst3::tresult QARN_VST3_CALL createInstance(vst3::TUID, vst3::TUID, void**) override
    {
        return vst3::kNotImplemented;
    }
};

class Vst3RunLoop final : public Vst3HostObject<vst3::IRunLoop> {
public:
    Vst3RunLoop()
        : Vst3HostObject(vst3::IRunLoop_iid)
    {
    }
    vst3::tresult QARN_VST3_CALL registerEventHandler(vst3::IEventHandler* handler, vst3::FileDescriptor fd) override;
    vst3::tresult QARN_VST3_CALL unregisterEventHandler(vst3::IEventHandler* handler) override;
    vst3::tresult QARN_VST3_CALL registerTimer(vst3::ITimerHandler* handler, vst3::TimerInterval) override;
    vst3::tresult QARN_VST3_CALL unregisterTimer(vst3::ITimerHandler* handler) override;

    // Every timer once.
    void runTimers();
    // The window whose event loop watches the descriptors, or null.
    void useEventLoop(HostWindow* window);

private:
    struct Watch {
        vst3::IEventHandler* handler;
        int fd;
    };
    void watch(const Watch& descriptor);

    std::vector<vst3::ITimerHandler*> timers;
    std::vector<Watch> watches;
    HostWindow* eventLoop = nullptr;
};

class Vst3Frame final : public vst3::IPlugFrame {
public:
    vst3::tresult QARN_VST3_CALL queryInterface(const vst3::TUID iid, void** object) override;
    uint32_t QARN_VST3_CALL addRef() override { return 1; }
    uint32_t QARN_VST3_CALL release() override { return 1; }
    vst3::tresult QARN_VST3_CALL resizeView(vst3::IPlugView* view, vst3::ViewRect* newSize) override;

    Vst3RunLoop runLoop;
    // Asked whether the window may take the view's new size.
    std::function<bool(int width, int height)> resizeWindow;
};
