#include "tests/support/PluginTestWindow.h"

#include <cstdio>

void keepPicture(const std::vector<uint32_t>& pixels, int width, int height, const char* name)
{
    std::FILE* file = std::fopen(name, "wb");
    if (!file)
        return;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (uint32_t pixel : pixels) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16), static_cast<unsigned char>(pixel >> 8),
            static_cast<unsigned char>(pixel)};
        std::fwrite(rgb, 1, 3, file);
    }
    std::fclose(file);
}
