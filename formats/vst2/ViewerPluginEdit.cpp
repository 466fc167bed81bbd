#include "formats/vst2/ViewerPluginEdit.h"

bool outOfMemory = false;

ViewerPluginEdit::ViewerPluginEdit(audioMasterCallback host, EditorMaker makeEditor)
    : ViewerPlugin(host)
{
    effect.uniqueID = viewerUniqueId; // whatever the host
    setEditor(makeEditor ? makeEditor(this) : nullptr);
    ViewerPlugin::setProgram(ViewerCore::defaultInstrument);
    if (!editor)
        outOfMemory = true;
}

ViewerPluginEdit::~ViewerPluginEdit() = default;
