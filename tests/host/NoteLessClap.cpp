// A CLAP library whose factory's one plug-in has no note input: a plug-in
// the host cannot show notes with, which it must refuse by name.
#include "formats/clap/abi/Entry.h"

#include <string>

namespace {

const char* const features[] = {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, nullptr};
const clap_plugin_descriptor_t descriptor = {
    CLAP_VERSION, "org.qarn.test.note-less", "Note-less", "Qarn", "", "", "", "1", "", features};

bool init(const clap_plugin_t*)
{
    return true;
}
void destroy(const clap_plugin_t*)
{
}
bool activate(const clap_plugin_t*, double, uint32_t, uint32_t)
{
    return true;
}
void nothing(const clap_plugin_t*)
{
}
bool startProcessing(const clap_plugin_t*)
{
    return true;
}
clap_process_status process(const clap_plugin_t*, const clap_process_t*)
{
    return CLAP_PROCESS_CONTINUE;
}
const void* noExtension(const clap_plugin_t*, const char*)
{
    return nullptr;
}

const clap_plugin_t plugin = {&descriptor, nullptr, init, destroy, activate, nothing, startProcessing, nothing, nothing,
    process, noExtension, nothing};

uint32_t pluginCount(const clap_plugin_factory_t*)
{
    return 1;
}
const clap_plugin_descriptor_t* pluginDescriptor(const clap_plugin_factory_t*, uint32_t index)
{
    return index == 0 ? &descriptor : nullptr;
}
const clap_plugin_t* createPlugin(const clap_plugin_factory_t*, const clap_host_t*, const char*)
{
    return &plugin;
}
const clap_plugin_factory_t factory = {pluginCount, pluginDescriptor, createPlugin};

bool entryInit(const char*)
{
    return true;
}
void entryDeinit()
{
}
const void* getFactory(const char* id)
{
    return std::char_traits<char>::compare(id, CLAP_PLUGIN_FACTORY_ID, sizeof CLAP_PLUGIN_FACTORY_ID) == 0 ? &factory
                                                                                                           : nullptr;
}

} // namespace

extern "C" {
extern const clap_plugin_entry_t clap_entry;
const clap_plugin_entry_t clap_entry = {CLAP_VERSION, entryInit, entryDeinit, getFactory};
}
