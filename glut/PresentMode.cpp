#include "glut/PresentMode.h"

#include <cstring>

PresentMode choosePresentMode(const char* setting, bool underWine)
{
    if (setting != nullptr && std::strcmp(setting, "swap") == 0)
        return PresentMode::Swap;
    if (setting != nullptr && std::strcmp(setting, "copy") == 0)
        return PresentMode::Copy;
    return underWine ? PresentMode::Copy : PresentMode::Swap;
}
