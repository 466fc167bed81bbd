// The user interface library's entry, its only exported symbol
// (formats/lv2/ui/exports.map).
#include "formats/lv2/ui/ViewerUi.h"

extern "C" __attribute__((visibility("default"))) const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index)
{
    return index == 0 ? viewerUiDescriptor() : nullptr;
}
