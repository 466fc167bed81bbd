#pragma once

// Control is the base of every view that carries a value: a float with a
// range (not enforced), a tag that tells the observer which control spoke, an
// observer, a switch that turns mouse input off, and the bookkeeping that lets
// the frame's idle refresh redraw a control only when its value differs from
// the value it last drew.
//
// Conventions for concrete controls: draw ends with lastDrawnValue = value; a
// setter that changes the look but not the value calls markForRedraw, and only
// when the setting really changes; a press returns at once unless the control
// accepts the mouse, then changes the value, draws at once with the press's
// context and only then notifies the observer.
//
// Setters only store: a new value reaches the screen at the next refresh pass
// or when the control draws itself on a press.

#include <cstdint>

#include "gui/View.h"

class ControlObserver;

class Control : public View {
public:
    // `observer` may be null; it is not owned.
    Control(const Rect& rect, ControlObserver* observer, int32_t tag);
    ~Control() override;

    void draw(GraphicsContext* context) override = 0;
    // Draws when the value differs from the one last drawn (exact comparison).
    void refresh(GraphicsContext* context) override;
    bool needsRefresh() const override { return lastDrawnValue != value; }

    // Runs the editor's throttled idle while a control follows the mouse in a loop.
    virtual void idleWhileTracking();

    virtual void setValue(float newValue) { value = newValue; }
    virtual float getValue() const { return value; }
    virtual void setMinimum(float newMinimum) { minimum = newMinimum; }
    virtual float getMinimum() const { return minimum; }
    virtual void setMaximum(float newMaximum) { maximum = newMaximum; }
    virtual float getMaximum() const { return maximum; }
    virtual void setLastDrawnValue(float newValue) { lastDrawnValue = newValue; }
    virtual float getLastDrawnValue() const { return lastDrawnValue; }
    virtual void setResetValue(float newValue) { resetValue = newValue; }
    virtual float getResetValue() const { return resetValue; }
    virtual void setAcceptsMouse(bool state) { acceptsMouse = state; }
    virtual bool getAcceptsMouse() const { return acceptsMouse; }

    int32_t getTag() const { return tag; }
    ControlObserver* getObserver() const { return observer; }

protected:
    // Makes the next refresh draw although the value is unchanged: the last
    // drawn value becomes value + 0.1, or NaN where adding 0.1 changes nothing.
    void markForRedraw();

    ControlObserver* observer;
    int32_t tag;
    bool acceptsMouse = true;
    float lastDrawnValue = -1.0f;
    float resetValue = 0.5f;
    float value = 0.0f;
    float minimum = 0.0f;
    float maximum = 1.0f;
};
