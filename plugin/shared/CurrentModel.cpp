#include "plugin/shared/CurrentModel.h"

ModelSelection modelSelection;
InstrumentModel* currentModel = nullptr;
