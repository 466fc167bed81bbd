#include "host/engine/formats/PluginFormats.h"

#include "host/engine/clap/ClapPlugin.h"
#include "host/engine/vst2/Vst2Plugin.h"
#include "host/engine/vst3/Vst3Plugin.h"

#include <system_error>
#include <filesystem>

namespace {

bool endsWith(const std::string& path, const std::string& suffix)
{
    return path.size() >= suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

std::unique_ptr<LoadedPlugin> openPlugin(
    const std::string& path, double sampleRate, int32_t blockSize, std::string& error)
{
    std::error_code failure;
    const bool bundle = std::filesystem::is_directory(path, failure);
    const std::string module = bundle ? PluginLibrary::bundleModule(path) : path;
    if (bundle && !std::filesystem::is_regular_file(module, failure)) {
        error = path + ": a VST 3 bundle with no module for this host (" + module + ")";
        return nullptr;
    }
    auto library = std::make_unique<PluginLibrary>();
    if (!library->load(module, error))
        return nullptr;
    if (endsWith(path, ".clap") || library->symbol("clap_entry"))
        return ClapPlugin::open(std::move(library), path, sampleRate, blockSize, error);
    if (bundle || endsWith(path, ".vst3") || library->symbol("GetPluginFactory"))
        return Vst3Plugin::open(std::move(library), path, sampleRate, blockSize, error);
    return Vst2Plugin::open(std::move(library), path, sampleRate, blockSize, error);
}
