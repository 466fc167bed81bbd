#pragma once
// How the plug-in gets its editor without knowing it: whoever builds the
// plug-in (the library's entry, a test) hands it a maker. The maker creates
// the editor, which attaches itself to `effect` (so the effect owns it and
// shows the has-editor flag), or answers null when it cannot be allocated.
class EditorBase;
class EffectBase;

using EditorMaker = EditorBase* (*)(EffectBase* effect);
