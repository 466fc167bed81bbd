#include "framework/EditorBase.h"
#include "framework/EffectBase.h"
#include "tests/support/PlainEditor.h"

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

EditorBase* createPlainEditor(EffectBase* effect)
{
    return new (std::nothrow) PlainEditor(effect);
}
