#pragma once

class Control;
class GraphicsContext;

// What a control tells its owner after the user changed it. The owner usually
// implements this beside its main base; the call comes while the press is
// being handled, with the press's context, after the control has redrawn.
class ControlObserver {
public:
    virtual ~ControlObserver() = default;
    virtual void controlChanged(GraphicsContext* context, Control* control) = 0;
};
