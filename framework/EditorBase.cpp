#include "framework/EditorBase.h"

EditorBase::EditorBase(EffectBase* effect)
    : effect(effect)
    , parentWindow(nullptr)
    , updatePending(0)
{
}

EditorBase::~EditorBase() = default;

int32_t EditorBase::getRect(ERect** rect)
{
    *rect = nullptr;
    return 0;
}

int32_t EditorBase::open(void* parentWindow)
{
    this->parentWindow = parentWindow;
    return 0;
}

void EditorBase::close()
{
}

void EditorBase::idle()
{
    if (updatePending.exchange(0, std::memory_order_relaxed) != 0) {
        onUpdate();
    }
}

void EditorBase::onUpdate()
{
}

void EditorBase::requestUpdate()
{
    updatePending.store(1, std::memory_order_relaxed);
}
