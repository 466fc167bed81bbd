#include "plugin/shared/CurrentModel.h"

ModelSelection modelSelection;
