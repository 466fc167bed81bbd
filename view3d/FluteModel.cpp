#include "view3d/FluteModel.h"

#include <cstring>

FluteModel::FluteModel(int keys, int octave, int pitchClass)
    : InstrumentModel(keys, octave, pitchClass)
{
    std::strcpy(name, "Flute");
}
