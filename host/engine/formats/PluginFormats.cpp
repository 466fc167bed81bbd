#include "host/engine/formats/PluginFormats.h"

#include "host/engine/vst2/Vst2Plugin.h"

std::unique_ptr<LoadedPlugin> openPlugin(
    const std::string& path, double sampleRate, int32_t blockSize, std::string& error)
{
    auto library = std::make_unique<PluginLibrary>();
    if (!library->load(path, error))
        return nullptr;
    return Vst2Plugin::open(std::move(library), path, sampleRate, blockSize, error);
}
