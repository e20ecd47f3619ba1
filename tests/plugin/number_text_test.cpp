#include "plugin/effect_base.h"
#include "plugin/number_text.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

const float nan = std::numeric_limits<float>::quiet_NaN();
const float inf = std::numeric_limits<float>::infinity();

class PlainEffect : public EffectBase {
public:
    PlainEffect() : EffectBase(nullptr, 1, 1) {}
    void processAccumulating(float**, float**, std::int32_t) override {}
    void useSampleRate(float rate) { setSampleRate(rate); }
};

std::string floatText(float value) {
    char text[32];
    std::memset(text, 'x', sizeof text);
    writeFloatText(value, text);
    return text;
}

struct FloatCase {
    float value;
    const char* text;
};

TEST(FloatText, MatchesTheTable) {
    const FloatCase cases[] = {
        {0.0f, "0.000000"},         {-0.0f, "0.000000"},        {0.5f, "0.500000"},
        {-0.25f, "-0.25000"},       {1.0f, "1.000000"},         {-1.5f, "-1.50000"},
        {3.14159f, "3.141590"},     {123.456f, "123.4560"},     {1234567.0f, "1234567."},
        {9999999.0f, "9999999."},   {-999999.0f, "-999999."},   {0.9999999f, "0.999999"},
        {100000000.0f, " Huge!  "}, {-10000000.0f, " Huge!  "}, {nan, "0.000000"},
        {inf, " Huge!  "},          {-inf, " Huge!  "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(floatText(c.value), c.text) << c.value;
}

TEST(FloatText, LongIntegerPartsKeepEveryDigitWithinEightCharacters) {
    EXPECT_EQ(floatText(12345678.0f), "12345678");
    EXPECT_EQ(floatText(99999992.0f), "99999992");
    EXPECT_EQ(floatText(-1234567.0f), "-1234567");
    EXPECT_EQ(floatText(-9999999.0f), "-9999999");
}

TEST(FloatText, NeverLongerThanEightCharacters) {
    const float values[] = {1e7f,    5.5e7f,     99999999.0f, -1e6f,   -5e6f,  -9999999.0f,
                            -0.001f, 12345.678f, 1e-30f,      -1e-30f, 7.0e7f, -3.3e6f};
    for (float v : values)
        EXPECT_LE(floatText(v).size(), numberTextLength) << v;
}

TEST(IntegerText, MatchesTheTable) {
    const struct {
        std::int32_t value;
        const char* text;
    } cases[] = {
        {0, "      0"},           {5, "      5"},
        {-5, "     -5"},          {99999999, "99999999"},
        {-12345678, "-1234567"},  {100000000, " Huge!  "},
        {2147483647, " Huge!  "}, {std::numeric_limits<std::int32_t>::min(), "-2147483"},
    };
    for (const auto& c : cases) {
        char text[32];
        writeIntegerText(c.value, text);
        EXPECT_STREQ(text, c.text) << c.value;
    }
}

TEST(NumberText, NullBuffersAreLeftAlone) {
    writeFloatText(1.0f, nullptr);
    writeIntegerText(1, nullptr);
    PlainEffect effect;
    effect.formatDecibels(0.0f, nullptr);
    effect.formatFrequency(100.0f, nullptr);
    effect.formatMilliseconds(100.0f, nullptr);
}

TEST(EffectConversions, DecibelsFrequencyAndMilliseconds) {
    PlainEffect effect;
    char text[32];
    const struct {
        float value;
        const char* text;
    } decibels[] = {{1.0f, "0.000000"},
                    {0.5f, "-6.02059"},
                    {0.0f, "  -oo   "},
                    {-1.0f, "  -oo   "},
                    {nan, "  -oo   "}};
    for (const auto& c : decibels) {
        effect.formatDecibels(c.value, text);
        EXPECT_STREQ(text, c.text) << c.value;
    }
    effect.formatFrequency(100.0f, text);
    EXPECT_STREQ(text, "441.0000");
    effect.formatFrequency(0.0f, text);
    EXPECT_STREQ(text, "0.000000");
    effect.formatFrequency(nan, text);
    EXPECT_STREQ(text, "0.000000");
    effect.formatMilliseconds(44100.0f, text);
    EXPECT_STREQ(text, "1000.000");

    effect.useSampleRate(0.0f);
    effect.formatMilliseconds(10.0f, text);
    EXPECT_STREQ(text, " Huge!  ");
    effect.formatMilliseconds(0.0f, text);
    EXPECT_STREQ(text, "0.000000");
}

TEST(TruncateToInt32, SaturatesAndMapsNaNToZero) {
    EXPECT_EQ(truncateToInt32(2.7), 2);
    EXPECT_EQ(truncateToInt32(-2.7), -2);
    EXPECT_EQ(truncateToInt32(std::nan("")), 0);
    EXPECT_EQ(truncateToInt32(1e300), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(truncateToInt32(-1e300), std::numeric_limits<std::int32_t>::min());
}

} // namespace
