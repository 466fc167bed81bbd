#include "view3d/ViewState.h"

#include "state/PracticeState.h"
#include "view3d/InstrumentModel.h"
#include "view3d/ModelSwap.h"

#include <cstdint>

ViewState viewState;

void resetView()
{
    clearNoteTableInNewRun();
    viewState.zoom = 0;
    viewState.spinAngle = 0;
    viewState.angleY = 0;
    viewState.angleX = 0;
    const auto hold = lockModel();
    if (currentModel)
        currentModel->invalidateLists();
}

bool advanceAutoRotation()
{
    if (!viewState.autoRotate)
        return false;
    // The spin is never wrapped; after 2^31 idle calls it steps from the
    // largest to the smallest int instead of overflowing.
    viewState.spinAngle = static_cast<int>(static_cast<uint32_t>(viewState.spinAngle) + 1u);
    viewState.angleY = viewState.spinAngle;
    viewState.angleX = viewState.spinAngle;
    return true;
}
