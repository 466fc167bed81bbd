// Bytes a host hands back as the saved view: the reader never crashes, and a
// record it takes is exactly what saving that view writes again.
#include "core/ViewerCore.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ViewerCore core;
    if (core.restoreView(data, size)) {
        uint8_t again[savedViewSize];
        ViewerCore::saveView(again);
        if (std::memcmp(again, data, savedViewSize) != 0)
            std::abort();
    }
    return 0;
}
