#pragma once
// Creates the plug-in's editor, which attaches itself to `effect` (so the
// effect owns it and shows the has-editor flag). Null when it cannot be
// allocated. The DLL links the real editor (editor/ViewerEditor.cpp); the
// portable unit tests link a plain one.
class EditorBase;
class EffectBase;

EditorBase* createViewerEditor(EffectBase* effect);
