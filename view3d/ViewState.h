#pragma once
// How the 3-D scene is looked at: the camera angles and distance that the
// panel's buttons change and the render loop reads, and the three display
// toggles that decide how held keys show. One record per loaded library,
// shared by every instance, all zero at load; it survives closing and
// reopening the editor and program changes.
//
// The user-interface thread writes it (the panel, the idle pump); the side
// that draws reads it, which may be the view's own thread (view3d/ViewThread.h).
#include <atomic>

// One number or toggle of the view state: written by the user-interface
// thread alone, read by any. A single-word atomic without ordering of its
// own: a frame drawn during a change may mix new and old values, and the
// redraw that every change asks for afterwards (whose request orders it)
// shows the change whole.
template <class T> class ViewValue {
public:
    ViewValue(T initial = T{})
        : value(initial)
    {
    }
    ViewValue(const ViewValue& other)
        : value(other.get())
    {
    }
    ViewValue& operator=(const ViewValue& other) { return *this = other.get(); }
    ViewValue& operator=(T changed)
    {
        value.store(changed, std::memory_order_relaxed);
        return *this;
    }
    // One writer: read, then write, needs no atomic read-modify-write.
    ViewValue& operator+=(T step) { return *this = get() + step; }
    ViewValue& operator-=(T step) { return *this = get() - step; }
    operator T() const { return get(); }
    T get() const { return value.load(std::memory_order_relaxed); }

private:
    std::atomic<T> value;
};

struct ViewState {
    ViewValue<int> angleX = 0; // degrees, third camera rotation (about x)
    ViewValue<int> angleY = 0; // degrees, second camera rotation (about y)
    ViewValue<int> spinAngle = 0; // degrees, first camera rotation (about z)
    ViewValue<int> zoom = 0; // scene units: the model comes zoom / 2 closer, the far plane zoom nearer
    ViewValue<bool> autoRotate = false;
    ViewValue<bool> showKeyColour = false; // keys that are down are drawn red
    ViewValue<bool> showKeyMotion = false; // keys that are down are drawn moved
    ViewValue<bool> showLinkedKeys = false; // flute: keys moved by a linked key are drawn light red
};

extern ViewState viewState;

// Back to the view of load time: silences the note table (starting a new
// practice run, as its practice states are gone), zeroes the camera numbers
// and has the current model compile its static geometry again. The toggles,
// autoRotate and the practice totals stay as they are. The caller asks for
// the redraw.
void resetView();

// One idle step of automatic rotation: while autoRotate is on the spin grows
// by one degree and both tilt angles follow it. Answers whether the view must
// be drawn again.
bool advanceAutoRotation();
