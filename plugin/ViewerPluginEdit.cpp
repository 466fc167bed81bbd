#include "plugin/ViewerPluginEdit.h"

#include "editor/ViewerEditor.h"

#include <new>

bool outOfMemory = false;

ViewerPluginEdit::ViewerPluginEdit(audioMasterCallback host)
    : ViewerPlugin(host)
{
    effect.uniqueID = 0x5141524E; // 'QARN', whatever the host
    setEditor(new (std::nothrow) ViewerEditor(this));
    ViewerPlugin::setProgram(3);
    if (!editor)
        outOfMemory = true;
}

ViewerPluginEdit::~ViewerPluginEdit() = default;
