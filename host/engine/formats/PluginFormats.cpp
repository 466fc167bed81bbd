#include "host/engine/formats/PluginFormats.h"

#include "host/engine/clap/ClapPlugin.h"
#include "host/engine/vst2/Vst2Plugin.h"

namespace {

bool namedClap(const std::string& path)
{
    const std::string suffix = ".clap";
    return path.size() >= suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

std::unique_ptr<LoadedPlugin> openPlugin(
    const std::string& path, double sampleRate, int32_t blockSize, std::string& error)
{
    auto library = std::make_unique<PluginLibrary>();
    if (!library->load(path, error))
        return nullptr;
    if (namedClap(path) || library->symbol("clap_entry"))
        return ClapPlugin::open(std::move(library), path, sampleRate, blockSize, error);
    return Vst2Plugin::open(std::move(library), path, sampleRate, blockSize, error);
}
