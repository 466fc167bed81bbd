// Bitmaps on Windows: BITMAP resources of the module, drawn with BitBlt.
#include "gui/Bitmap.h"

#include <windows.h>

#include "gui/GraphicsContext.h"
#include "gui/ModuleHandle.h"

Bitmap::Bitmap(int32_t resourceId)
    : resourceId(resourceId)
{
    // Without a module handle LoadBitmapA would hand out the system's own
    // bitmaps for some IDs; nothing of ours can be loaded then.
    HINSTANCE module = static_cast<HINSTANCE>(moduleInstance());
    if (!module) {
        return;
    }
    HBITMAP loaded = LoadBitmapA(module, MAKEINTRESOURCEA(resourceId & 0xFFFF));
    if (!loaded) {
        return;
    }
    handle = loaded;
    BITMAP description{};
    if (GetObjectA(loaded, sizeof(description), &description) != 0) {
        width = description.bmWidth;
        height = description.bmHeight;
    }
}

Bitmap::~Bitmap()
{
    if (handle) {
        DeleteObject(handle);
    }
}

void Bitmap::blit(GraphicsContext* context, const Rect& dest, Point source)
{
    if (!handle || !context || !context->getDeviceContext()) {
        return;
    }
    HDC target = static_cast<HDC>(context->getDeviceContext());
    HDC memory = CreateCompatibleDC(target);
    if (!memory) {
        return;
    }
    HGDIOBJ previous = SelectObject(memory, handle);
    BitBlt(target, dest.left, dest.top, dest.width(), dest.height(), memory, source.x, source.y, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}
