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
    auto text = current->texts.find(opcode);
    if (text != current->texts.end() && ptr) {
        char* buffer = static_cast<char*>(ptr);
        buffer[text->second.copy(buffer, text->second.size())] = '\0';
    }
    auto found = current->answers.find(opcode);
    return found == current->answers.end() ? 0 : found->second;
}
