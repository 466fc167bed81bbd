// Bitmaps on X11: BMP files compiled into the library (gui/BitmapFiles.h),
// decoded once and copied into the frame window through an XImage.
#include "gui/Bitmap.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <new>

#include "gui/BitmapFiles.h"
#include "gui/BmpImage.h"
#include "gui/GraphicsContext.h"
#include "gui/x11/FrameSurface.h"

Bitmap::Bitmap(int32_t resourceId)
    : resourceId(resourceId)
{
    const BitmapFile* file = findBitmapFile(resourceId & 0xFFFF);
    if (!file) {
        return;
    }
    BmpImage* image = new (std::nothrow) BmpImage;
    if (!image || !decodeBmp(file->bytes, file->size, *image)) {
        delete image;
        return;
    }
    handle = image;
    width = image->width;
    height = image->height;
}

Bitmap::~Bitmap()
{
    delete static_cast<BmpImage*>(handle);
}

void Bitmap::blit(GraphicsContext* context, const Rect& dest, Point source)
{
    if (!handle || !context || !context->getDeviceContext()) {
        return;
    }
    const BmpImage& image = *static_cast<const BmpImage*>(handle);
    const FrameSurface& surface = *static_cast<const FrameSurface*>(context->getDeviceContext());
    // Only the part inside the image is copied: reading past it would read
    // past the pixels.
    const int32_t left = std::max(source.x, 0);
    const int32_t top = std::max(source.y, 0);
    const int32_t right = std::min(source.x + dest.width(), image.width);
    const int32_t bottom = std::min(source.y + dest.height(), image.height);
    if (right <= left || bottom <= top) {
        return;
    }
    const unsigned int copyWidth = static_cast<unsigned int>(right - left);
    const unsigned int copyHeight = static_cast<unsigned int>(bottom - top);
    XImage* picture = XCreateImage(surface.display, surface.visual, static_cast<unsigned int>(surface.depth), ZPixmap,
        0, nullptr, copyWidth, copyHeight, 32, 0);
    if (!picture) {
        return;
    }
    picture->data = static_cast<char*>(std::malloc(static_cast<size_t>(picture->bytes_per_line) * copyHeight));
    if (!picture->data) {
        XDestroyImage(picture);
        return;
    }
    for (int32_t y = top; y < bottom; ++y) {
        const uint32_t* row = image.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width);
        for (int32_t x = left; x < right; ++x) {
            const uint32_t rgb = row[x];
            const Color color{
                static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb), 0};
            XPutPixel(picture, x - left, y - top, pixelOf(surface, color));
        }
    }
    XPutImage(surface.display, surface.window, surface.gc, picture, 0, 0, dest.left + (left - source.x),
        dest.top + (top - source.y), copyWidth, copyHeight);
    XDestroyImage(picture); // frees the pixels too
}
