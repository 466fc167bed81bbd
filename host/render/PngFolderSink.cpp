#include "host/render/FrameSink.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

bool isFrameName(const std::string& name)
{
    const std::string example = PngFolderSink::frameName(0);
    if (name.size() != example.size() || name.compare(0, 6, "frame-") != 0 ||
        name.compare(name.size() - 4, 4, ".png") != 0)
        return false;
    for (size_t i = 6; i < name.size() - 4; ++i) {
        if (name[i] < '0' || name[i] > '9')
            return false;
    }
    return true;
}

} // namespace

PngFolderSink::PngFolderSink(std::string folder)
    : folder(std::move(folder))
{
}

std::string PngFolderSink::frameName(long long index)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06lld.png", index);
    return name;
}

bool PngFolderSink::prepare(std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code failure;
    const fs::path path(folder);
    fs::create_directories(path, failure);
    if (!fs::is_directory(path, failure)) {
        error = folder + ": cannot make a folder there for the frames";
        return false;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(path, failure)) {
        if (entry.is_regular_file(failure) && isFrameName(entry.path().filename().string()))
            fs::remove(entry.path(), failure);
    }
    if (failure) {
        error = folder + ": cannot clear the frames of an earlier render (" + failure.message() + ")";
        return false;
    }
    return true;
}

bool PngFolderSink::write(const RgbImage& frame, std::string& error)
{
    const std::string path = (std::filesystem::path(folder) / frameName(written)).string();
    if (!savePng(frame, path, error))
        return false;
    ++written;
    return true;
}

bool PngFolderSink::finish(std::string&)
{
    return true;
}
