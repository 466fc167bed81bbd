#pragma once
// What an LV2 host gives the plug-in and its user interface, for tests: a
// URID map of our own, atom sequences built and read in place, and a state
// store that keeps what the plug-in saves.
#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <string>
#include <vector>

class TestUridMap {
public:
    TestUridMap();
    LV2_URID operator()(const char* uri);
    const LV2_Feature* feature() const { return &mapFeature; }

private:
    static LV2_URID map(LV2_URID_Map_Handle handle, const char* uri);
    std::vector<std::string> uris;
    LV2_URID_Map lv2Map;
    LV2_Feature mapFeature;
};

// An atom sequence in a buffer of its own, for a port.
class TestSequence {
public:
    // `capacity`: the body's room, as a host writes it into an output's size.
    explicit TestSequence(uint32_t capacity = 4096);

    LV2_Atom_Sequence* get() { return reinterpret_cast<LV2_Atom_Sequence*>(words.data()); }
    // An input: empties it, typed as a sequence.
    void clear(LV2_URID sequenceType);
    // An output: hands the plug-in an empty buffer of the room it was made with.
    void offer();
    void add(int64_t frames, LV2_URID type, const void* body, uint32_t size);

    struct Event {
        int64_t frames;
        LV2_URID type;
        std::vector<uint8_t> body;
    };
    std::vector<Event> events();
    // Whether the plug-in wrote beyond the room it was offered.
    bool overrun() const;

private:
    uint32_t capacity;
    std::vector<uint64_t> words;
};

// The state a host keeps for an instance: each property stored, by key.
struct TestState {
    struct Value {
        std::vector<uint8_t> bytes;
        uint32_t type;
        uint32_t flags;
    };
    std::vector<std::pair<uint32_t, Value>> properties;

    static LV2_State_Status store(
        LV2_State_Handle handle, uint32_t key, const void* value, size_t size, uint32_t type, uint32_t flags);
    static const void* retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type, uint32_t* flags);
};
