#include "formats/vst3/Vst3Instrument.h"

#include "core/ViewerCore.h"

#include <cmath>

namespace {
constexpr int32_t steps = ViewerCore::instrumentCount - 1;
}

int32_t instrumentOfNormalized(vst3::ParamValue value)
{
    if (!std::isfinite(value) || value < 0.0 || value > 1.0)
        return -1;
    return static_cast<int32_t>(std::lround(value * steps));
}

vst3::ParamValue normalizedOfInstrument(int32_t instrument)
{
    return static_cast<vst3::ParamValue>(instrument) / steps;
}
