#include "view3d/ModelSwap.h"

#include "state/CurrentModel.h"
#include "view3d/InstrumentModel.h"

#include <atomic>

InstrumentModel* currentModel = nullptr;

namespace {
std::mutex modelMutex;
std::atomic<ProgramModelBuilder> programModels{nullptr};
// The program whose model currentModel holds; under the model's lock.
int32_t shownProgram = noProgram;
} // namespace

std::unique_lock<std::mutex> lockModel()
{
    return std::unique_lock<std::mutex>(modelMutex);
}

void setProgramModelBuilder(ProgramModelBuilder build)
{
    programModels.store(build, std::memory_order_release);
}

void installWantedModel()
{
    if (modelSelection.liveInstances.load(std::memory_order_acquire) == 0)
        return;
    const int32_t wanted = modelSelection.wantedProgram.load(std::memory_order_acquire);
    if (wanted == shownProgram)
        return;
    // The old model goes first, so that a low-memory host needs room for one.
    delete currentModel;
    const ProgramModelBuilder build = programModels.load(std::memory_order_acquire);
    currentModel = build ? build(wanted) : nullptr;
    shownProgram = currentModel ? wanted : noProgram;
}

void releaseCurrentModel()
{
    const auto hold = lockModel();
    delete currentModel;
    currentModel = nullptr;
    shownProgram = noProgram;
}
