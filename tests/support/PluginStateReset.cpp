#include "tests/support/PluginStateReset.h"

#include "state/SharedStateReset.h"
#include "view3d/ViewState.h"

void resetPluginState()
{
    resetSharedState();
    viewState = ViewState{};
}
