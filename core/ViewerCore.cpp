#include "core/ViewerCore.h"

#include "core/ReleaseVersion.h"
#include "state/CurrentModel.h"
#include "state/RedrawRequest.h"
#include "view3d/ModelSwap.h"

int32_t ViewerCore::versionNumber()
{
    return releaseVersionNumber(releaseMajor, releaseMinor, releasePatch);
}

ViewerCore::ViewerCore(EditorPortMaker makeEditor)
    : editor(makeEditor ? makeEditor() : nullptr)
{
    modelSelection.liveInstances.fetch_add(1, std::memory_order_acq_rel);
    setProgramModelBuilder(buildProgramModel);
}

ViewerCore::~ViewerCore()
{
    closeEditor();
    editor.reset();
    if (modelSelection.liveInstances.fetch_sub(1, std::memory_order_acq_rel) == 1)
        releaseCurrentModel();
}

bool ViewerCore::selectInstrument(int32_t instrument)
{
    if (instrument < 0 || instrument >= instrumentCount)
        return false;
    modelSelection.wantedProgram.store(instrument, std::memory_order_release);
    requestRedisplay();
    return true;
}

int32_t ViewerCore::selectedInstrument()
{
    return modelSelection.wantedProgram.load(std::memory_order_acquire);
}

void ViewerCore::instrumentName(int32_t instrument, char* name, int capacity)
{
    copyProgramName(instrument, name, capacity);
}

void ViewerCore::receiveMidi(const MidiMessageBlock& block)
{
    diagnosticLog.countBlock(receiveMidiBlock(block));
}

bool ViewerCore::openEditor(void* parentWindow)
{
    if (!editor)
        return false;
    closeEditor();
    editorOpen = editor->open(parentWindow);
    return editorOpen;
}

void ViewerCore::idleEditor()
{
    if (editorOpen)
        editor->idle();
}

void ViewerCore::closeEditor()
{
    if (editorOpen)
        editor->close();
    editorOpen = false;
}

bool ViewerCore::editorSize(int32_t& width, int32_t& height) const
{
    if (!editor)
        return false;
    editor->size(width, height);
    return true;
}
