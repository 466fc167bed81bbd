// What a CLAP host hands the plug-in, from the input: a block of events of
// any kind, size and content for `process` and `flush`, and the rest as the
// stream `state.load` reads, a chunk of the length the first byte chooses at
// a time. Nothing crashes, and a view the loader takes is saved again exactly.
#include "formats/clap/ClapEntry.h"
#include "formats/clap/abi/Params.h"
#include "formats/clap/abi/State.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The largest event the adapter reads, with room to spare; events are copied
// into blocks of this size, so a header's size never claims more than is there.
constexpr size_t eventBlock = 64;

struct Input {
    const uint8_t* data;
    size_t size;
    size_t chunk;
};

struct Events {
    std::vector<std::vector<uint64_t>> blocks;
};

uint32_t eventCount(const clap_input_events_t* list)
{
    return static_cast<uint32_t>(static_cast<const Events*>(list->ctx)->blocks.size());
}

const clap_event_header_t* eventAt(const clap_input_events_t* list, uint32_t index)
{
    const auto& blocks = static_cast<const Events*>(list->ctx)->blocks;
    return index < blocks.size() ? reinterpret_cast<const clap_event_header_t*>(blocks[index].data()) : nullptr;
}

bool pushAnything(const clap_output_events_t*, const clap_event_header_t*)
{
    return true;
}

int64_t readInput(const clap_istream_t* stream, void* buffer, uint64_t size)
{
    Input& input = *static_cast<Input*>(stream->ctx);
    const size_t given = static_cast<size_t>(std::min<uint64_t>({size, input.chunk, input.size}));
    std::memcpy(buffer, input.data, given);
    input.data += given;
    input.size -= given;
    return static_cast<int64_t>(given);
}

int64_t writeOutput(const clap_ostream_t* stream, const void* buffer, uint64_t size)
{
    auto& bytes = *static_cast<std::vector<uint8_t>*>(stream->ctx);
    const auto* from = static_cast<const uint8_t*>(buffer);
    bytes.insert(bytes.end(), from, from + size);
    return static_cast<int64_t>(size);
}

void* noParent(const clap_window_t&)
{
    return nullptr;
}

const ClapPlatform platform = {nullptr, CLAP_WINDOW_API_X11, noParent};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool initialized = clapEntryInit(platform);
    static const auto* factory = static_cast<const clap_plugin_factory_t*>(clapEntryFactory(CLAP_PLUGIN_FACTORY_ID));
    static const clap_host_t host = {
        CLAP_VERSION, nullptr, "Fuzz", "Qarn", "", "1", nullptr, nullptr, nullptr, nullptr};
    if (!initialized || size < 2)
        return 0;

    // First byte: the stream's chunk; second: how many events of 16 bytes of
    // input each, repeated to fill a block, come before the stream's bytes.
    Input input{data + 2, size - 2, static_cast<size_t>(data[0] % 32 + 1)};
    Events events;
    for (int count = data[1] % 16; count > 0 && input.size >= 16; --count) {
        std::vector<uint64_t> block(eventBlock / 8);
        auto* bytes = reinterpret_cast<uint8_t*>(block.data());
        for (size_t i = 0; i < eventBlock; ++i)
            bytes[i] = input.data[i % 16];
        uint32_t claimed = 0;
        std::memcpy(&claimed, bytes, sizeof claimed);
        claimed %= eventBlock + 1;
        std::memcpy(bytes, &claimed, sizeof claimed);
        events.blocks.push_back(std::move(block));
        input.data += 16;
        input.size -= 16;
    }

    const clap_plugin_t* plugin = factory->create_plugin(factory, &host, "com.qarn.viewer");
    if (!plugin)
        std::abort();
    plugin->init(plugin);
    plugin->activate(plugin, 48000.0, 1, 512);
    plugin->start_processing(plugin);
    const clap_input_events_t in{&events, eventCount, eventAt};
    const clap_output_events_t out{nullptr, pushAnything};
    const clap_process_t block{-1, 64, nullptr, nullptr, nullptr, 0, 0, &in, &out};
    plugin->process(plugin, &block);
    plugin->stop_processing(plugin);
    const auto* params = static_cast<const clap_plugin_params_t*>(plugin->get_extension(plugin, CLAP_EXT_PARAMS));
    params->flush(plugin, &in, &out);

    const auto* state = static_cast<const clap_plugin_state_t*>(plugin->get_extension(plugin, CLAP_EXT_STATE));
    const uint8_t* stateBytes = input.data;
    const size_t stateSize = input.size;
    const clap_istream_t stream{&input, readInput};
    if (state->load(plugin, &stream)) {
        std::vector<uint8_t> saved;
        const clap_ostream_t again{&saved, writeOutput};
        if (!state->save(plugin, &again) || saved.size() != stateSize ||
            std::memcmp(saved.data(), stateBytes, stateSize) != 0)
            std::abort();
    }
    plugin->deactivate(plugin);
    plugin->destroy(plugin);
    return 0;
}
