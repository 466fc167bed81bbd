#include "plugin/CurrentModel.h"

ModelSelection modelSelection;
InstrumentModel* currentModel = nullptr;
