#pragma once
// The plug-in's editor. For now a plain editor with the framework's defaults
// that attaches itself to its effect, so the host sees the has-editor flag.
#include "framework/EditorBase.h"

class ViewerEditor : public EditorBase {
public:
    explicit ViewerEditor(EffectBase* effect);
};
