#include "state/CurrentModel.h"

ModelSelection modelSelection;
