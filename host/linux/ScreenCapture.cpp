#include "host/linux/ScreenCapture.h"

#include <X11/Xutil.h>

bool captureWindow(Display* display, Window window, int width, int height, RgbImage& image, std::string& error)
{
    XSync(display, False);
    XImage* picture = width > 0 && height > 0 ? XGetImage(display, window, 0, 0, static_cast<unsigned>(width),
                                                    static_cast<unsigned>(height), AllPlanes, ZPixmap)
                                              : nullptr;
    if (!picture) {
        error = "the server gave no picture of the window (is it on the screen?)";
        return false;
    }
    const unsigned long redMask = picture->red_mask;
    const unsigned long greenMask = picture->green_mask;
    const unsigned long blueMask = picture->blue_mask;
    // Any other layout, through Xlib's own pixel reader.
    auto channel = [](unsigned long pixel, unsigned long mask) {
        int shift = 0;
        while (mask && !(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        const unsigned long value = (pixel >> shift) & mask;
        return static_cast<uint8_t>(mask ? value * 255 / mask : 0);
    };
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    uint8_t* out = image.pixels.data();
    // The usual 24-bit TrueColor screen, pixels of four bytes (blue, green,
    // red, unused in memory order): read straight from the rows.
    if (picture->bits_per_pixel == 32 && picture->byte_order == LSBFirst && redMask == 0xFF0000 &&
        greenMask == 0xFF00 && blueMask == 0xFF) {
        for (int y = 0; y < height; ++y) {
            const auto* row =
                reinterpret_cast<const uint8_t*>(picture->data) + static_cast<size_t>(y) * picture->bytes_per_line;
            for (int x = 0; x < width; ++x, row += 4) {
                *out++ = row[2];
                *out++ = row[1];
                *out++ = row[0];
            }
        }
        XDestroyImage(picture);
        return true;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(picture, x, y);
            *out++ = channel(pixel, redMask);
            *out++ = channel(pixel, greenMask);
            *out++ = channel(pixel, blueMask);
        }
    }
    XDestroyImage(picture);
    return true;
}
