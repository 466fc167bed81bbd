// The plug-in library's entry, its only exported symbol
// (formats/lv2/dsp-exports.map).
#include "formats/lv2/ViewerDsp.h"

extern "C" __attribute__((visibility("default"))) const LV2_Descriptor* lv2_descriptor(uint32_t index)
{
    return index == 0 ? viewerDspDescriptor() : nullptr;
}
