#include "plugin/ViewerPluginEdit.h"

#include "plugin/EditorFactory.h"

bool outOfMemory = false;

ViewerPluginEdit::ViewerPluginEdit(audioMasterCallback host)
    : ViewerPlugin(host)
{
    effect.uniqueID = viewerUniqueId; // whatever the host
    setEditor(createViewerEditor(this));
    ViewerPlugin::setProgram(3);
    if (!editor)
        outOfMemory = true;
}

ViewerPluginEdit::~ViewerPluginEdit() = default;
