#include "gui/ModuleHandle.h"

#include <atomic>

namespace {
std::atomic<void*> instanceHandle{nullptr};
}

void setModuleInstance(void* instance)
{
    instanceHandle.store(instance);
}

void* moduleInstance()
{
    return instanceHandle.load();
}
