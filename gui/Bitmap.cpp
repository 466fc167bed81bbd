#include "gui/Bitmap.h"

void Bitmap::retain()
{
    ++refCount;
}

void Bitmap::release()
{
    if (--refCount == 0) {
        delete this;
    }
}
