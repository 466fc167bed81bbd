#pragma once
// The editor as a VST 3 plug view, attached to the host's window at its one
// size (resizing refused). Its idle comes from the host's run loop on Linux,
// a timer the frame registers (the 3-D view draws notes on a thread of its
// own, view3d/ViewThread.h, so a note waits for no timer), and from the
// platform's timer where the host has no run loop to offer (Windows).
//
// Main thread only. The view holds its controller until it is released.
#include "formats/vst3/Vst3Controller.h"

class Vst3View final : public vst3::IPlugView, public vst3::ITimerHandler {
public:
    explicit Vst3View(Vst3Controller& controller);

    vst3::tresult QARN_VST3_CALL queryInterface(const vst3::TUID iid, void** object) override;
    uint32_t QARN_VST3_CALL addRef() override;
    uint32_t QARN_VST3_CALL release() override;

    vst3::tresult QARN_VST3_CALL isPlatformTypeSupported(vst3::FIDString type) override;
    vst3::tresult QARN_VST3_CALL attached(void* parent, vst3::FIDString type) override;
    vst3::tresult QARN_VST3_CALL removed() override;
    vst3::tresult QARN_VST3_CALL onWheel(float distance) override;
    vst3::tresult QARN_VST3_CALL onKeyDown(vst3::char16 key, int16_t keyCode, int16_t modifiers) override;
    vst3::tresult QARN_VST3_CALL onKeyUp(vst3::char16 key, int16_t keyCode, int16_t modifiers) override;
    vst3::tresult QARN_VST3_CALL getSize(vst3::ViewRect* size) override;
    vst3::tresult QARN_VST3_CALL onSize(vst3::ViewRect* newSize) override;
    vst3::tresult QARN_VST3_CALL onFocus(vst3::TBool state) override;
    vst3::tresult QARN_VST3_CALL setFrame(vst3::IPlugFrame* frame) override;
    vst3::tresult QARN_VST3_CALL canResize() override;
    vst3::tresult QARN_VST3_CALL checkSizeConstraint(vst3::ViewRect* rect) override;

    void QARN_VST3_CALL onTimer() override;

private:
    ~Vst3View();
    bool startIdle();
    void stopIdle();
    // The editor's one size, as a rectangle at the origin.
    bool ownSize(vst3::ViewRect& rect) const;

    Vst3RefCount refs;
    Vst3Controller& controller;
    vst3::IPlugFrame* frame = nullptr;
    // The host's window while attached, and where the idle comes from then:
    // the host's run loop, or the platform's timer on that window.
    void* parent = nullptr;
    vst3::IRunLoop* runLoop = nullptr;
    bool platformTimer = false;
};
