#include "tests/support/PluginStateReset.h"

#include "plugin/shared/SharedStateReset.h"
#include "view3d/ViewState.h"

void resetPluginState()
{
    resetSharedState();
    viewState = ViewState{};
}
