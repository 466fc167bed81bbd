#include "formats/vst2/VstEntry.h"

#include "formats/vst2/ViewerPluginEdit.h"

#include <new>

AEffect* vstMain(audioMasterCallback host, EditorMaker makeEditor)
{
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    ViewerPluginEdit* plugin = new (std::nothrow) ViewerPluginEdit(host, makeEditor);
    if (!plugin)
        return nullptr;
    if (outOfMemory) {
        delete plugin;
        return nullptr;
    }
    return plugin->getAeffect();
}
