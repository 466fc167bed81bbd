#include "glut/WindowTable.h"

namespace {

GlutWindow slots[maxGlutWindows];
int lastId = 0;

} // namespace

GlutWindow* findWindow(int id)
{
    if (id <= 0) {
        return nullptr;
    }
    for (GlutWindow& window : slots) {
        if (window.id == id) {
            return &window;
        }
    }
    return nullptr;
}

GlutWindow* addWindow(NativeWindow* native, int width, int height)
{
    for (GlutWindow& window : slots) {
        if (window.id == 0) {
            window = GlutWindow{};
            window.id = ++lastId;
            window.native = native;
            window.width = width;
            window.height = height;
            return &window;
        }
    }
    return nullptr;
}

void removeWindow(GlutWindow* window)
{
    *window = GlutWindow{};
}

GlutWindow& windowSlot(int index)
{
    return slots[index];
}
