#include "core/ViewerCore.h"

#include "core/ReleaseVersion.h"
#include "state/CurrentModel.h"
#include "state/RedrawRequest.h"
#include "view3d/ModelSwap.h"

int32_t ViewerCore::versionNumber()
{
    return releaseVersionNumber(releaseMajor, releaseMinor, releasePatch);
}

ViewerCore::ViewerCore()
{
    modelSelection.liveInstances.fetch_add(1, std::memory_order_acq_rel);
    setProgramModelBuilder(buildProgramModel);
}

ViewerCore::~ViewerCore()
{
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
