// The editor the portable unit tests link in place of the real one: the
// framework's defaults, attached to its effect as the real editor attaches.
#include "framework/EditorBase.h"
#include "framework/EffectBase.h"
#include "plugin/EditorFactory.h"

#include <new>

namespace {
class PlainEditor : public EditorBase {
public:
    explicit PlainEditor(EffectBase* effect)
        : EditorBase(effect)
    {
        effect->setEditor(this);
    }
};
} // namespace

EditorBase* createViewerEditor(EffectBase* effect)
{
    return new (std::nothrow) PlainEditor(effect);
}
