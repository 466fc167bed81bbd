#include "editor/ViewerEditor.h"

#include "editor/PanelActions.h"
#include "editor/PanelLayout.h"
#include "gui/Bitmap.h"
#include "gui/EditorFrame.h"
#include "gui/FontTable.h"
#include "gui/PanelButton.h"
#include "gui/ValueDisplay.h"
#include "view3d/GlView.h"

#include <new>

Bitmap* panelBackground = nullptr;
ValueDisplay* scoreDisplay = nullptr;

namespace {

// The editor's rectangle holds both the panel and the 3-D view, which lies
// right of and below the panel's corner: a host sizes its window from it, and
// a rectangle of the panel alone would cut the view down to a corner.
constexpr int16_t editorWidth = viewPlacement.left + viewPlacement.width;
constexpr int16_t editorHeight = viewPlacement.top + viewPlacement.height;

constexpr int32_t readoutStyle = 1; // filled and outlined: no bevel, no shadow

// The 3-D view exists once per process. Two instances of the plug-in may have
// their editors open at once: the view belongs to the last one opened, and
// only its owner's close destroys it.
ViewerEditor* viewOwner = nullptr;

void showScore(float percent)
{
    if (scoreDisplay)
        scoreDisplay->setValue(percent);
}

bool holdsChild(const EditorFrame& frame, const View* view)
{
    for (int32_t i = 0; i < frame.getChildCount(); ++i) {
        if (frame.getChild(i) == view)
            return true;
    }
    return false;
}

} // namespace

EditorBase* createViewerEditor(EffectBase* effect)
{
    return new (std::nothrow) ViewerEditor(effect);
}

ViewerEditor::ViewerEditor(EffectBase* effect)
    : GuiEditor(effect)
{
    rect.top = 0;
    rect.left = 0;
    rect.bottom = editorHeight;
    rect.right = editorWidth;
}

ViewerEditor::~ViewerEditor()
{
    close();
}

int32_t ViewerEditor::open(void* parentWindow)
{
    // A host that opens twice without closing gets a fresh panel, not a leak.
    close();
    GuiEditor::open(parentWindow);
    buildPanel(parentWindow);
    setScoreReadout(showScore);
    openView(parentWindow);
    viewOwner = this;

    // The panel stays above the view: the view clips itself to its siblings,
    // so OpenGL never paints over the buttons, and presses on the zoom buttons
    // in the overlap reach the panel.
    if (frame)
        frame->raiseWindow();
    return 1;
}

void ViewerEditor::buildPanel(void* parentWindow)
{
    panelBackground = new (std::nothrow) Bitmap(panelBackgroundId);
    const int32_t width = panelBackground ? panelBackground->getWidth() : 0;
    const int32_t height = panelBackground ? panelBackground->getHeight() : 0;

    frame = new (std::nothrow) EditorFrame(Rect(0, 0, width, height), parentWindow, this);
    if (!frame) {
        if (panelBackground)
            panelBackground->release();
        panelBackground = nullptr;
        return;
    }
    frame->setBackdrop(panelBackground);
    // The frame holds the background from now on; the pointer stays an alias
    // for as long as this panel lives.
    if (panelBackground)
        panelBackground->release();

    // The frame owns the buttons; they hold their bitmaps.
    int32_t lastBitmapWidth = 0;
    for (const PanelPlace& place : panelLayout) {
        Bitmap* bitmap = new (std::nothrow) Bitmap(place.tag);
        const int32_t bitmapWidth = bitmap ? bitmap->getWidth() : 0;
        const PanelArea area = panelButtonArea(place, bitmapWidth, bitmap ? bitmap->getHeight() : 0);
        PanelButton* button =
            new (std::nothrow) PanelButton(Rect(area.left, area.top, area.right, area.bottom), this, place.tag, bitmap);
        if (button && !frame->addChild(button))
            delete button;
        if (bitmap)
            bitmap->release();
        lastBitmapWidth = bitmapWidth;
    }

    const PanelArea readout = readoutArea(lastBitmapWidth);
    scoreDisplay = new (std::nothrow)
        ValueDisplay(Rect(readout.left, readout.top, readout.right, readout.bottom), nullptr, readoutStyle);
    if (!scoreDisplay)
        return;
    scoreDisplay->setFontId(FontSmall);
    scoreDisplay->setTextColor(ColorWhite);
    scoreDisplay->setFillColor(ColorBlack);
    scoreDisplay->setFrameColor(ColorRed);
    scoreDisplay->setValue(0.0f);
    if (!frame->addChild(scoreDisplay)) {
        delete scoreDisplay;
        scoreDisplay = nullptr;
    }
}

void ViewerEditor::close()
{
    if (viewOwner == this) {
        closeView();
        viewOwner = nullptr;
    }
    releasePanel();
}

// Only this editor's own panel is released; the process-wide pointers are
// cleared when they point into it.
void ViewerEditor::releasePanel()
{
    if (!frame)
        return;
    if (scoreDisplay && holdsChild(*frame, scoreDisplay))
        scoreDisplay = nullptr;
    if (panelBackground && frame->getBackdrop() == panelBackground)
        panelBackground = nullptr;
    delete frame; // deletes the buttons and the read-out, releases the backdrop
    frame = nullptr;
}

void ViewerEditor::idle()
{
    idleView();
    GuiEditor::idle();
}

void ViewerEditor::controlChanged(GraphicsContext*, Control* control)
{
    if (control)
        applyPanelAction(control->getTag());
}
