#include "tests/lv2/Lv2TestHost.h"

#include <lv2/atom/util.h>

#include <cstring>

TestUridMap::TestUridMap()
    : lv2Map{this, map}
    , mapFeature{LV2_URID__map, &lv2Map}
{
}

LV2_URID TestUridMap::operator()(const char* uri)
{
    return map(this, uri);
}

LV2_URID TestUridMap::map(LV2_URID_Map_Handle handle, const char* uri)
{
    auto& uris = static_cast<TestUridMap*>(handle)->uris;
    for (size_t i = 0; i < uris.size(); ++i) {
        if (uris[i] == uri)
            return static_cast<LV2_URID>(i + 1);
    }
    uris.emplace_back(uri);
    return static_cast<LV2_URID>(uris.size());
}

namespace {
// Filled into the room beyond the offered capacity, to see writes there.
constexpr uint64_t guardWord = 0x5a5a5a5a5a5a5a5aull;
constexpr size_t guardWords = 8;
} // namespace

TestSequence::TestSequence(uint32_t capacity)
    : capacity(capacity)
    , words((sizeof(LV2_Atom) + capacity) / 8 + 1 + guardWords, guardWord)
{
    offer();
}

void TestSequence::clear(LV2_URID sequenceType)
{
    get()->atom.type = sequenceType;
    get()->atom.size = sizeof(LV2_Atom_Sequence_Body);
    get()->body.unit = 0;
    get()->body.pad = 0;
}

void TestSequence::offer()
{
    std::fill(words.begin(), words.end(), guardWord);
    get()->atom.type = 0;
    get()->atom.size = capacity;
}

void TestSequence::add(int64_t frames, LV2_URID type, const void* body, uint32_t size)
{
    std::vector<uint8_t> event(sizeof(LV2_Atom_Event) + size);
    auto* header = reinterpret_cast<LV2_Atom_Event*>(event.data());
    header->time.frames = frames;
    header->body.type = type;
    header->body.size = size;
    if (size > 0)
        std::memcpy(header + 1, body, size);
    lv2_atom_sequence_append_event(get(), capacity, header);
}

std::vector<TestSequence::Event> TestSequence::events()
{
    std::vector<Event> found;
    LV2_ATOM_SEQUENCE_FOREACH(get(), event)
    {
        const auto* body = static_cast<const uint8_t*>(LV2_ATOM_BODY_CONST(&event->body));
        found.push_back({event->time.frames, event->body.type, {body, body + event->body.size}});
    }
    return found;
}

bool TestSequence::overrun() const
{
    const size_t used = (sizeof(LV2_Atom) + capacity + 7) / 8;
    for (size_t i = used; i < words.size(); ++i) {
        if (words[i] != guardWord)
            return true;
    }
    return false;
}

LV2_State_Status TestState::store(
    LV2_State_Handle handle, uint32_t key, const void* value, size_t size, uint32_t type, uint32_t flags)
{
    const auto* bytes = static_cast<const uint8_t*>(value);
    static_cast<TestState*>(handle)->properties.push_back({key, {{bytes, bytes + size}, type, flags}});
    return LV2_STATE_SUCCESS;
}

const void* TestState::retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type, uint32_t* flags)
{
    for (auto& [stored, value] : static_cast<TestState*>(handle)->properties) {
        if (stored == key) {
            *size = value.bytes.size();
            *type = value.type;
            *flags = value.flags;
            return value.bytes.data();
        }
    }
    return nullptr;
}
