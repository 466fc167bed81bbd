#include "host/engine/RgbImage.h"

#include <cstdio>
#include <fstream>

// stb's writer is one header of C written for many compilers; its warnings are not ours.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include "stb_image_write.h"
#pragma GCC diagnostic pop

namespace {

void appendBytes(void* context, void* data, int size)
{
    auto* bytes = static_cast<std::vector<unsigned char>*>(context);
    const auto* begin = static_cast<const unsigned char*>(data);
    bytes->insert(bytes->end(), begin, begin + size);
}

} // namespace

std::string RgbImage::colourAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return "";
    const size_t at = (static_cast<size_t>(y) * width + x) * 3;
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", pixels[at], pixels[at + 1], pixels[at + 2]);
    return text;
}

bool savePng(const RgbImage& image, const std::string& path, std::string& error)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height * 3) {
        error = path + ": nothing to write, the picture is empty";
        return false;
    }
    std::vector<unsigned char> png;
    if (!stbi_write_png_to_func(
            appendBytes, &png, image.width, image.height, 3, image.pixels.data(), image.width * 3)) {
        error = path + ": the picture could not be encoded as PNG";
        return false;
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    file.close();
    if (!file) {
        error = path + ": cannot write the file";
        return false;
    }
    return true;
}
