#include "tests/support/FakeHost.h"

FakeHost* FakeHost::current = nullptr;

FakeHost::FakeHost()
{
    current = this;
}

FakeHost::~FakeHost()
{
    if (current == this) {
        current = nullptr;
    }
}

intptr_t VSTCALLBACK FakeHost::callback(
    AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    if (!current) {
        return 0;
    }
    current->recorded.push_back({effect, opcode, index, value, ptr, opt});
    auto found = current->answers.find(opcode);
    return found == current->answers.end() ? 0 : found->second;
}
