#include "formats/clap/ClapEntry.h"

#include "formats/clap/ClapDescriptor.h"
#include "formats/clap/ClapViewer.h"

#include <atomic>
#include <cstring>

namespace {

// How many inits are not yet matched by a deinit. Every init hands over the
// same platform, its library's own.
std::atomic<int> initCount{0};
const ClapPlatform* platform = nullptr;

bool initialized()
{
    return initCount.load(std::memory_order_acquire) > 0;
}

uint32_t pluginCount(const clap_plugin_factory_t*)
{
    return initialized() ? 1 : 0;
}

const clap_plugin_descriptor_t* pluginDescriptor(const clap_plugin_factory_t*, uint32_t index)
{
    return initialized() && index == 0 ? &clapDescriptor() : nullptr;
}

const clap_plugin_t* createPlugin(const clap_plugin_factory_t*, const clap_host_t* host, const char* pluginId)
{
    if (!initialized() || !pluginId || std::strcmp(pluginId, clapPluginId) != 0)
        return nullptr;
    return createClapViewer(host, *platform);
}

const clap_plugin_factory_t factory = {pluginCount, pluginDescriptor, createPlugin};

} // namespace

bool clapEntryInit(const ClapPlatform& entryPlatform)
{
    platform = &entryPlatform;
    initCount.fetch_add(1, std::memory_order_acq_rel);
    return true;
}

void clapEntryDeinit()
{
    int count = initCount.load(std::memory_order_acquire);
    while (count > 0 && !initCount.compare_exchange_weak(count, count - 1, std::memory_order_acq_rel)) {
    }
}

const void* clapEntryFactory(const char* factoryId)
{
    return initialized() && factoryId && std::strcmp(factoryId, CLAP_PLUGIN_FACTORY_ID) == 0 ? &factory : nullptr;
}
