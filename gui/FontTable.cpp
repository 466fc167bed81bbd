#include "gui/FontTable.h"

namespace {

// LOGFONT pitch-and-family values: VARIABLE_PITCH | FF_SWISS and
// DEFAULT_PITCH | FF_DECORATIVE.
constexpr uint8_t variableSwiss = 0x22;
constexpr uint8_t defaultDecorative = 0x50;

constexpr FontSpec fontTable[fontCount] = {
    // face           size  weight  pitch and family
    {"Arial", 12, 700, variableSwiss}, // FontTitle
    {"Arial", 18, 400, variableSwiss}, // FontLarge
    {"Arial", 14, 400, variableSwiss}, // FontMedium
    {"Arial", 12, 400, variableSwiss}, // FontNormal
    {"Arial", 11, 400, variableSwiss}, // FontSmall
    {"Small Fonts", 9, 400, variableSwiss}, // FontTiny
    {"Symbol", 13, 400, defaultDecorative}, // FontSymbol
};

} // namespace

const FontSpec& fontSpec(int32_t fontId)
{
    return fontTable[fontId >= 0 && fontId < fontCount ? fontId : FontTitle];
}
