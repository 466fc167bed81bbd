#pragma once

// The editor interface an effect holds: the effect's dispatcher forwards the
// host's editor requests (effEditGetRect, effEditOpen, effEditClose,
// effEditIdle) to it. This base has no window of its own; the GUI toolkit's
// editor derives from it and builds one inside the host's window.
//
// Owned by its effect, which deletes it through the virtual destructor.
// Called on the host's user-interface thread, except requestUpdate, which any
// thread may call.

#include <atomic>
#include <cstdint>

#include "framework/Vst2Abi.h"

class EffectBase;

class EditorBase {
public:
    // Stores the effect only; attaching to it (EffectBase::setEditor) is the
    // derived editor's job.
    explicit EditorBase(EffectBase* effect);
    virtual ~EditorBase();

    EditorBase(const EditorBase&) = delete;
    EditorBase& operator=(const EditorBase&) = delete;

    // Hands the host the editor's rectangle through `rect`; this base has none,
    // so it stores null and answers 0.
    virtual int32_t getRect(ERect** rect);
    // Remembers the host's native window (an HWND on Windows); answers 0.
    virtual int32_t open(void* parentWindow);
    virtual void close();
    // Runs onUpdate once if an update was requested since the last idle.
    virtual void idle();
    virtual void onUpdate();
    virtual void requestUpdate();

    EffectBase* getEffect() const { return effect; }
    void* getParentWindow() const { return parentWindow; }

protected:
    EffectBase* effect;
    void* parentWindow;
    std::atomic<int32_t> updatePending;
};
