#pragma once
// The one instrument model the 3-D view shows, shared by every instance of
// the plug-in in the process, and how it follows the wanted program
// (state/CurrentModel.h). A program change on any thread only records
// the number; the side that draws the view (the user-interface thread, or
// the view's own thread where it has one: view3d/ViewThread.h) frees the old
// model and builds the new one before it draws.
//
// Besides the drawing side, the user-interface thread's reset and the last
// instance's close, on any thread, change the model. Each holds the model's
// lock while it uses or changes it, so no thread ever holds a model that
// another is replacing or freeing. The processing thread never takes it.
#include <cstdint>
#include <mutex>

class InstrumentModel;

// The wanted program's model, once it has been swapped in. Empty before that,
// after the last instance closed and after a failed allocation. Used only
// under the model's lock where another thread may be drawing.
extern InstrumentModel* currentModel;

// Held while using or changing currentModel.
[[nodiscard]] std::unique_lock<std::mutex> lockModel();

// Builds the model of a program, null for any other number or when it cannot
// be allocated. The plug-in's program table.
using ProgramModelBuilder = InstrumentModel* (*)(int32_t program);

// Any thread: how programs become models. The plug-in installs its table
// whenever an instance is created.
void setProgramModelBuilder(ProgramModelBuilder build);

// The drawing side, holding the model's lock, before every frame and when the
// view opens: when the wanted program differs from the one shown, frees the
// current model and builds the wanted one. A model that could not be
// allocated leaves none, and the next call tries again. Does nothing while no
// instance is alive.
void installWantedModel();

// The last instance's close, on any thread: frees the current model and
// forgets which program it showed. Takes the model's lock itself.
void releaseCurrentModel();
