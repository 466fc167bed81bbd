#pragma once

// PanelButton is a two-state toggle button whose two pictures are the halves
// of one bitmap: the upper half is shown while the value is 0, the lower half
// otherwise. Every press (left or right button, as the frame delivers both)
// flips the value between 0 and 1, shows the new picture at once and then
// tells the observer; what a press means is the observer's business.

#include "gui/Control.h"

class Bitmap;

class PanelButton : public Control {
public:
    // Retains `bitmap`, which may be null (the button then draws nothing).
    PanelButton(const Rect& rect, ControlObserver* observer, int32_t tag, Bitmap* bitmap);
    ~PanelButton() override;

    void draw(GraphicsContext* context) override;
    // A value that truncates to 0 becomes 1, any other value 0.
    void onMouseDown(GraphicsContext* context, Point where) override;

    Bitmap* getBitmap() const { return bitmap; }

private:
    Bitmap* bitmap;
};
