#include "tests/view3d/PngFile.h"

#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

bool writePng(const std::string& path, const Image& image)
{
    std::vector<unsigned char> rgb;
    rgb.reserve(image.rgba.size() / 4 * 3);
    for (size_t i = 0; i < image.rgba.size(); i += 4)
        rgb.insert(rgb.end(), &image.rgba[i], &image.rgba[i + 3]);
    return stbi_write_png(path.c_str(), image.width, image.height, 3, rgb.data(), image.width * 3) != 0;
}

Image readPng(const std::string& path)
{
    Image image;
    int channels = 0;
    unsigned char* pixels = stbi_load(path.c_str(), &image.width, &image.height, &channels, 4);
    if (!pixels)
        return Image{};
    image.rgba.assign(pixels, pixels + static_cast<size_t>(image.width) * image.height * 4);
    stbi_image_free(pixels);
    return image;
}
