#pragma once
// The plug-in's editor. Inside the host's window it builds a small bitmap
// panel (background, thirteen two-state buttons, the practice score read-out)
// in the top-left corner and the 3-D view window beside it, at (100, 100).
// The buttons steer the view and the practice scoring (editor/PanelActions.h).
//
// Each open builds a complete new panel; close destroys the view and releases
// the panel. The view state and the practice state live outside the editor
// and survive a close and the next open. User-interface thread only.
#include "gui/ControlObserver.h"
#include "gui/GuiEditor.h"

class Bitmap;
class ValueDisplay;

// The panel of the open editor, process-wide like the rest of the plug-in's
// state; both empty while no editor is open.
extern Bitmap* panelBackground;
extern ValueDisplay* scoreDisplay;

class ViewerEditor : public GuiEditor, public ControlObserver {
public:
    // Attaches itself to `effect` and fills the rectangle the host sizes its
    // window from.
    explicit ViewerEditor(EffectBase* effect);
    ~ViewerEditor() override;

    // Builds the panel and the 3-D view inside `parentWindow` (an HWND, or an
    // X11 Window id carried in the pointer); answers 1.
    int32_t open(void* parentWindow) override;
    // Destroys the 3-D view, then releases the panel.
    void close() override;
    // The view's idle pump (spin, score read-out, redraw), then the panel's refresh.
    void idle() override;

    void controlChanged(GraphicsContext* context, Control* control) override;

private:
    void buildPanel(void* parentWindow);
    void releasePanel();
};

// Creates the editor for `effect`, which it attaches itself to (so the effect
// owns it and shows the has-editor flag); null when it cannot be allocated.
// The library's entry hands it to the plug-in (formats/vst2/EditorFactory.h).
EditorBase* createViewerEditor(EffectBase* effect);
