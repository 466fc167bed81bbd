// Parameter display text of EffectBase. The digit rules are fixed: displays
// are 8 characters wide, digits are truncated rather than rounded, and high
// integer digits that do not fit are dropped.

#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/EffectBase.h"

namespace {

const char hugeText[] = " Huge!  ";
const char minusInfinityText[] = "  -oo   ";
const int displayWidth = 8;

char digitOf(double value)
{
    return static_cast<char>('0' + static_cast<int>(std::fmod(value, 10.0)));
}

} // namespace

void EffectBase::formatDecibels(float value, char* text)
{
    if (value <= 0.0f) {
        std::strcpy(text, minusInfinityText);
        return;
    }
    formatFloat(20.0f * std::log10(value), text);
}

void EffectBase::formatHertz(float samples, char* text)
{
    formatFloat(samples == 0.0f ? 0.0f : getSampleRate() / samples, text);
}

void EffectBase::formatMilliseconds(float samples, char* text)
{
    formatFloat(samples * 1000.0f / getSampleRate(), text);
}

void EffectBase::formatFloat(float value, char* text)
{
    double v = value;
    const bool negative = v < 0.0;
    int count = negative ? 1 : 0;
    const double limit = negative ? 9999999.0 : 99999999.0;
    if (negative) {
        v = -v;
    }
    // NaN (a zero sample rate, for instance) is as unshowable as a huge value.
    if (!(v <= limit)) {
        std::strcpy(text, hugeText);
        return;
    }

    // Integer digits are built right to left in front of the '.'.
    char integer[displayWidth + 2];
    int start = displayWidth + 1;
    integer[start] = '\0';
    integer[--start] = '.';
    double integ = std::floor(v);
    integer[--start] = digitOf(integ);
    integ *= 0.1;
    count += 2;
    while (integ >= 1.0 && count < displayWidth) {
        integer[--start] = digitOf(integ);
        integ *= 0.1;
        ++count;
    }
    if (negative) {
        integer[--start] = '-';
    }
    std::strcpy(text, integer + start);
    if (count >= displayWidth) {
        return;
    }

    const int fractionDigits = displayWidth - count;
    double mantissa = std::fmod(v, 1.0) * std::pow(10.0, fractionDigits);
    char* fraction = text + std::strlen(text);
    for (int i = fractionDigits - 1; i >= 0; --i) {
        if (mantissa <= 0.0) {
            fraction[i] = '0';
        } else {
            fraction[i] = digitOf(mantissa);
            mantissa *= 0.1;
        }
    }
    fraction[fractionDigits] = '\0';
}

void EffectBase::formatInteger(int32_t value, char* text)
{
    if (value >= 100000000) {
        std::strcpy(text, hugeText);
        return;
    }
    char scratch[32];
    std::snprintf(scratch, sizeof scratch, "%7d", static_cast<int>(value));
    scratch[displayWidth] = '\0';
    std::strcpy(text, scratch);
}
