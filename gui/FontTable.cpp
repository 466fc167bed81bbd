#include "gui/FontTable.h"

namespace {

// LOGFONT pitch-and-family values: VARIABLE_PITCH | FF_SWISS and
// DEFAULT_PITCH | FF_DECORATIVE.
constexpr uint8_t VariableSwiss = 0x22;
constexpr uint8_t DefaultDecorative = 0x50;

constexpr FontSpec fontTable[FontCount] = {
    // face           size  weight  pitch and family
    {"Arial", 12, 700, VariableSwiss}, // FontTitle
    {"Arial", 18, 400, VariableSwiss}, // FontLarge
    {"Arial", 14, 400, VariableSwiss}, // FontMedium
    {"Arial", 12, 400, VariableSwiss}, // FontNormal
    {"Arial", 11, 400, VariableSwiss}, // FontSmall
    {"Small Fonts", 9, 400, VariableSwiss}, // FontTiny
    {"Symbol", 13, 400, DefaultDecorative}, // FontSymbol
};

} // namespace

const FontSpec& fontSpec(int32_t fontId)
{
    return fontTable[fontId >= 0 && fontId < FontCount ? fontId : FontTitle];
}
