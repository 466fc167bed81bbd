#include "editor/ViewerEditor.h"

#include "framework/EffectBase.h"

ViewerEditor::ViewerEditor(EffectBase* effect)
    : EditorBase(effect)
{
    effect->setEditor(this);
}
