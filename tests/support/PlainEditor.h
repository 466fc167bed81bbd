#pragma once
// The editor the portable tests hand the plug-in in place of the real one
// (formats/vst2/EditorFactory.h): the framework's defaults, attached to its effect
// as the real editor attaches.
class EditorBase;
class EffectBase;

EditorBase* createPlainEditor(EffectBase* effect);
