#pragma once
// The plug-in's two classes, as hosts record them in projects: the
// component (processor) and the edit controller it names. Written as the
// format writes identifiers, so both platforms' hosts show the same text.
#include "formats/vst3/abi/Processor.h"

constexpr vst3::Uid componentClassId = vst3::makeUid(0x51A7C0DE, 0x2F0B4E61, 0x9A3D7C15, 0x8E44B0A1);
constexpr vst3::Uid controllerClassId = vst3::makeUid(0x51A7C0DE, 0x2F0B4E61, 0x9A3D7C15, 0x8E44B0A2);

// The "Instrument" parameter, stepped over the core's instruments.
constexpr vst3::ParamID instrumentParamId = 0;
