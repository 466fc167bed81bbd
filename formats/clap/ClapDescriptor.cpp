#include "formats/clap/ClapDescriptor.h"

#include "core/ViewerCore.h"

namespace {
// An instrument, so that hosts place it where notes arrive (an instrument
// track), as VST 2 hosts place the synth; an analyzer, for it shows what it
// is sent and makes no sound.
const char* const features[] = {CLAP_PLUGIN_FEATURE_INSTRUMENT, CLAP_PLUGIN_FEATURE_ANALYZER, nullptr};

} // namespace

const clap_plugin_descriptor_t& clapDescriptor()
{
    static const clap_plugin_descriptor_t descriptor = {CLAP_VERSION, clapPluginId, ViewerCore::productName,
        ViewerCore::vendorName, "", "", "", ViewerCore::versionText(), "Shows the notes it is sent on a 3-D instrument",
        features};
    return descriptor;
}
