#include "formats/clap/ClapDescriptor.h"

#include "core/ViewerCore.h"

#include <cstdio>

namespace {
// An instrument, so that hosts place it where notes arrive (an instrument
// track), as VST 2 hosts place the synth; an analyzer, for it shows what it
// is sent and makes no sound.
const char* const features[] = {CLAP_PLUGIN_FEATURE_INSTRUMENT, CLAP_PLUGIN_FEATURE_ANALYZER, nullptr};

// "1.0.0" from the core's version number.
const char* versionText()
{
    static char text[16];
    const int32_t number = ViewerCore::versionNumber();
    std::snprintf(text, sizeof text, "%d.%d.%d", static_cast<int>(number / 1000000),
        static_cast<int>(number / 10000 % 100), static_cast<int>(number / 100 % 100));
    return text;
}
} // namespace

const clap_plugin_descriptor_t& clapDescriptor()
{
    static const clap_plugin_descriptor_t descriptor = {CLAP_VERSION, clapPluginId, ViewerCore::productName,
        ViewerCore::vendorName, "", "", "", versionText(), "Shows the notes it is sent on a 3-D instrument", features};
    return descriptor;
}
