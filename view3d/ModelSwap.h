#pragma once
// How the shown model follows the wanted program (plugin/shared/CurrentModel.h).
// A program change on any thread only records the number; here, on the
// user-interface thread, the old model is freed and the new one built, so no
// other thread ever holds a model that is being replaced.
#include <cstdint>

class InstrumentModel;

// Builds the model of a program, null for any other number or when it cannot
// be allocated. The plug-in's program table.
using ProgramModelBuilder = InstrumentModel* (*)(int32_t program);

// Any thread: how programs become models. The plug-in installs its table
// whenever an instance is created.
void setProgramModelBuilder(ProgramModelBuilder build);

// User-interface thread, before every frame and when the view opens: when
// the wanted program differs from the one shown, frees the current model and
// builds the wanted one. A model that could not be allocated leaves none, and
// the next call tries again. Does nothing while no instance is alive.
void installWantedModel();

// The last instance's close: frees the current model and forgets which
// program it showed.
void releaseCurrentModel();
