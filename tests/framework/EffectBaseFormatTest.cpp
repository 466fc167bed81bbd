#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestEffect.h"

namespace {

std::string formatFloat(float value)
{
    TestEffect effect(nullptr);
    char text[32];
    effect.formatFloat(value, text);
    return text;
}

TEST(EffectBaseFormat, FloatKeepsEightCharactersAndTruncates)
{
    EXPECT_EQ(formatFloat(0.0f), "0.000000");
    EXPECT_EQ(formatFloat(1.5f), "1.500000");
    EXPECT_EQ(formatFloat(-1.5f), "-1.50000");
    EXPECT_EQ(formatFloat(1234567.0f), "1234567.");
    EXPECT_EQ(formatFloat(-123.25f), "-123.250");
    // Digits are cut, never rounded up.
    EXPECT_EQ(formatFloat(0.0000009f), "0.000000");
    EXPECT_EQ(formatFloat(2.9999990f), "2.999999");
}

TEST(EffectBaseFormat, FloatDropsHighDigitsBeyondSeven)
{
    EXPECT_EQ(formatFloat(12345678.0f), "2345678.");
    // 99999992 is the largest float below the limit of 99999999.
    EXPECT_EQ(formatFloat(99999992.0f), "9999992.");
    EXPECT_EQ(formatFloat(-9999999.0f), "-999999.");
}

TEST(EffectBaseFormat, FloatOutOfRangeIsHuge)
{
    EXPECT_EQ(formatFloat(100000000.0f), " Huge!  ");
    EXPECT_EQ(formatFloat(-10000000.0f), " Huge!  ");
    EXPECT_EQ(formatFloat(INFINITY), " Huge!  ");
    EXPECT_EQ(formatFloat(-INFINITY), " Huge!  ");
    EXPECT_EQ(formatFloat(NAN), " Huge!  ");
}

TEST(EffectBaseFormat, Integer)
{
    TestEffect effect(nullptr);
    char text[32];
    effect.formatInteger(123, text);
    EXPECT_STREQ(text, "    123");
    effect.formatInteger(99999999, text);
    EXPECT_STREQ(text, "99999999");
    effect.formatInteger(100000000, text);
    EXPECT_STREQ(text, " Huge!  ");
    effect.formatInteger(INT32_MIN, text);
    EXPECT_STREQ(text, "-2147483");
}

TEST(EffectBaseFormat, Decibels)
{
    TestEffect effect(nullptr);
    char text[32];
    effect.formatDecibels(1.0f, text);
    EXPECT_STREQ(text, "0.000000");
    effect.formatDecibels(10.0f, text);
    EXPECT_STREQ(text, "20.00000");
    effect.formatDecibels(0.0f, text);
    EXPECT_STREQ(text, "  -oo   ");
    effect.formatDecibels(-1.0f, text);
    EXPECT_STREQ(text, "  -oo   ");
}

TEST(EffectBaseFormat, HertzAndMillisecondsUseTheSampleRate)
{
    TestEffect effect(nullptr);
    char text[32];
    effect.formatHertz(441.0f, text);
    EXPECT_STREQ(text, "100.0000");
    effect.formatHertz(0.0f, text);
    EXPECT_STREQ(text, "0.000000");
    effect.formatMilliseconds(22050.0f, text);
    EXPECT_STREQ(text, "500.0000");

    effect.setSampleRate(48000.0f);
    effect.formatMilliseconds(480.0f, text);
    EXPECT_STREQ(text, "10.00000");
    effect.setSampleRate(0.0f);
    effect.formatMilliseconds(0.0f, text);
    EXPECT_STREQ(text, " Huge!  ");
}

} // namespace
