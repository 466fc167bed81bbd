#pragma once

// GuiEditor is the toolkit's editor base: it keeps the editor rectangle the
// host asks for, the panel's EditorFrame and the idle hook that lets the frame
// redraw views whose values changed. A plug-in's editor derives from it, builds
// its frame in its own open (after calling this one) and calls this idle after
// its own idle work.
//
// The frame is created and deleted by the derived editor; this class never
// deletes it. User-interface thread only, like the host's editor calls.

#include <cstdint>

#include "framework/EditorBase.h"

class EditorFrame;

class GuiEditor : public EditorBase {
public:
    // Attaches itself to `effect` as its editor (which sets the effect's
    // has-editor flag); `effect` may be null.
    explicit GuiEditor(EffectBase* effect);
    ~GuiEditor() override;

    // Hands out the editor's own rectangle (all zero until the derived editor
    // sets it) and answers 1.
    int32_t getRect(ERect** rect) override;
    // Requests an update and remembers the host's window; answers 0.
    int32_t open(void* parentWindow) override;
    void close() override;
    // The pending update, then the frame's idle refresh.
    void idle() override;

    // Only requests an update: the arguments are not used.
    virtual void parameterChanged(int32_t index, float value);
    // Draws the whole frame at once; `area` is not used.
    virtual void redrawAll(ERect* area);

    // For controls that track the mouse in a loop: runs this editor's idle and
    // the host's idle, at most once every idleInterval milliseconds.
    void throttledIdle();
    // Whether a throttled idle may run at tick `now` after one at `lastTick`
    // (tickCount values, gui/Clock.h, correct across their wrap-around).
    static bool idleIsDue(uint32_t lastTick, uint32_t now);

    static constexpr uint32_t idleInterval = 50;

    EditorFrame* getFrame() const { return frame; }

protected:
    ERect rect{};
    EditorFrame* frame = nullptr;
    uint32_t lastIdleTick;
    int16_t inIdle = 0;
};
