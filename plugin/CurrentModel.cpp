#include "plugin/CurrentModel.h"

InstrumentModel* currentModel = nullptr;
