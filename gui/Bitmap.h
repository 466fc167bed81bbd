#pragma once

// Bitmap is the toolkit's image: a BITMAP resource of the plug-in's own module
// on Windows, a BMP file compiled into the library elsewhere
// (gui/BitmapFiles.h), loaded once by its numeric ID and shared by reference
// counting between the objects that draw it (the frame's backdrop, each panel
// button). Loading and drawing are the platform's (gui/win32/, gui/x11/).
//
// Whoever constructs a Bitmap holds the first reference; every other holder
// calls retain, and each holder calls release when it lets go. The last
// release deletes the object, which is why the destructor is private.
// A resource that cannot be loaded leaves a 0 x 0 bitmap that draws nothing.
// User-interface thread only: the count is not atomic.

#include <cstdint>

#include "gui/Point.h"
#include "gui/Rect.h"

class GraphicsContext;

class Bitmap {
public:
    // Only the low 16 bits of `resourceId` name the resource.
    explicit Bitmap(int32_t resourceId);

    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    void retain();
    void release();

    // Copies the part of the bitmap that starts at `source` and has the size of
    // `dest` opaquely to `dest`'s top-left corner. Callers keep that part inside
    // the image; what the platform copies from outside it is undefined.
    void blit(GraphicsContext* context, const Rect& dest, Point source);

    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    int32_t getResourceId() const { return resourceId; }
    // The platform's image (an HBITMAP on Windows, the decoded pixels
    // elsewhere), or null when nothing was loaded.
    void* getHandle() const { return handle; }

private:
    ~Bitmap();

    int32_t resourceId;
    void* handle = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t refCount = 1;
};
