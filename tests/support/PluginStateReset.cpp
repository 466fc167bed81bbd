#include "tests/support/PluginStateReset.h"

#include "state/CurrentModel.h"
#include "state/SharedStateReset.h"
#include "view3d/ViewState.h"

void resetPluginState()
{
    resetSharedState();
    viewState = ViewState{};
    if (modelSelection.liveInstances.load() == 0)
        modelSelection.wantedProgram.store(noProgram);
}
