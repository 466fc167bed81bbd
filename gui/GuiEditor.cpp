#include "gui/GuiEditor.h"

#include "gui/Clock.h"

#include "framework/EffectBase.h"
#include "gui/EditorFrame.h"

GuiEditor::GuiEditor(EffectBase* effect)
    : EditorBase(effect)
    , lastIdleTick(tickCount())
{
    if (effect) {
        effect->setEditor(this);
    }
}

GuiEditor::~GuiEditor() = default;

int32_t GuiEditor::getRect(ERect** out)
{
    if (!out) {
        return 0;
    }
    *out = &rect;
    return 1;
}

int32_t GuiEditor::open(void* parentWindow)
{
    requestUpdate();
    EditorBase::open(parentWindow);
    return 0;
}

void GuiEditor::close()
{
}

void GuiEditor::idle()
{
    EditorBase::idle();
    if (frame) {
        frame->idleRefresh();
    }
}

void GuiEditor::parameterChanged(int32_t, float)
{
    requestUpdate();
}

void GuiEditor::redrawAll(ERect*)
{
    if (frame) {
        frame->redrawChild(nullptr);
    }
}

bool GuiEditor::idleIsDue(uint32_t lastTick, uint32_t now)
{
    return now - lastTick >= idleInterval;
}

void GuiEditor::throttledIdle()
{
    inIdle = 1;
    uint32_t now = tickCount();
    if (idleIsDue(lastIdleTick, now)) {
        lastIdleTick = now;
        idle();
        if (effect) {
            effect->hostIdle();
        }
    }
    inIdle = 0;
}
