// The width effect's parameters: storing, names, display texts, typed texts.
#include "effect/width_effect.h"
#include "plugin/four_char.h"
#include "plugin/opcodes.h"
#include "tests/support/recording_host.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

const float nan = std::numeric_limits<float>::quiet_NaN();

std::string text(WidthEffect& effect, std::int32_t opcode, std::int32_t index) {
    char buffer[64] = "untouched";
    effect.dispatch(opcode, index, 0, buffer, 0.0f);
    return buffer;
}

TEST(Parameters, StartAtTheirDefaults) {
    WidthEffect effect(nullptr);
    EXPECT_EQ(effect.getParameter(0), 0.5f);
    EXPECT_EQ(effect.getParameter(1), 0.0f);
    EXPECT_EQ(effect.getParameter(2), 0.0f);
    EXPECT_EQ(effect.getParameter(3), 0.0f);
    EXPECT_EQ(effect.getParameter(-1), 0.0f);
}

TEST(Parameters, WidthIsStoredAsReceivedAndFlagsAreQuantised) {
    WidthEffect effect(nullptr);
    const struct {
        std::int32_t index;
        float value;
        float stored;
    } cases[] = {{0, 0.3f, 0.3f},  {0, 1.5f, 1.5f}, {0, -2.0f, -2.0f},
                 {1, 0.3f, 0.0f},  {1, 0.5f, 1.0f}, {1, 7.0f, 1.0f},
                 {2, 0.49f, 0.0f}, {2, 0.5f, 1.0f}, {2, -1.0f, 0.0f}};
    for (const auto& c : cases) {
        effect.setParameter(c.index, c.value);
        EXPECT_EQ(effect.getParameter(c.index), c.stored) << c.index << " " << c.value;
    }
    effect.setParameter(5, 0.9f); // stores nothing
    EXPECT_EQ(effect.getParameter(5), 0.0f);
}

TEST(Parameters, NamesAndUnits) {
    WidthEffect effect(nullptr);
    EXPECT_EQ(text(effect, opGetParameterName, 0), "Expander");
    EXPECT_EQ(text(effect, opGetParameterName, 1), "Inverse");
    EXPECT_EQ(text(effect, opGetParameterName, 2), "Center");
    EXPECT_EQ(text(effect, opGetParameterName, 3), "-");
    EXPECT_EQ(text(effect, opGetParameterName, -1), "-");
    EXPECT_EQ(text(effect, opGetParameterUnit, 0), "%");
    EXPECT_EQ(text(effect, opGetParameterUnit, 1), "");
    EXPECT_EQ(text(effect, opGetParameterUnit, 7), "");
}

TEST(Parameters, DisplayTexts) {
    const struct {
        std::int32_t index;
        float value;
        const char* shown;
    } cases[] = {
        {0, 0.5f, "Default"}, {0, 0.0f, "Mono"},        {0, 1.0f, "Wide"},      {0, 0.75f, "50.00"},
        {0, 0.25f, "-50.00"}, {0, 0.49999f, "Default"}, {0, 0.4375f, "-12.50"}, {0, 1e30f, "Wide"},
        {0, -1e30f, "Mono"},  {0, nan, "Default"},      {1, 0.0f, "No"},        {1, 1.0f, "Yes"},
        {2, 0.0f, "No"},      {2, 1.0f, "Yes"},         {9, 1.0f, "0"},
    };
    for (const auto& c : cases) {
        WidthEffect effect(nullptr);
        effect.setParameter(c.index, c.value);
        EXPECT_EQ(text(effect, opGetParameterText, c.index), c.shown) << c.index << " " << c.value;
    }
}

TEST(Parameters, TypedTexts) {
    const struct {
        std::int32_t index;
        const char* typed;
        float stored;
    } cases[] = {
        {0, "50", 0.75f},  {0, "-100", 0.0f}, {0, "0", 0.5f},      {0, "150", 1.0f},
        {0, "-1e9", 0.0f}, {0, "inf", 1.0f},  {0, " 25%", 0.625f}, {1, "0.4", 0.0f},
        {1, "0.5", 1.0f},  {2, "1", 1.0f},    {2, "-3", 0.0f},
    };
    for (const auto& c : cases) {
        WidthEffect effect(nullptr);
        char typed[32];
        std::snprintf(typed, sizeof typed, "%s", c.typed);
        EXPECT_EQ(effect.dispatch(opParseParameter, c.index, 0, typed, 0.0f), 1) << c.typed;
        EXPECT_EQ(effect.getParameter(c.index), c.stored) << c.index << " " << c.typed;
    }
}

TEST(Parameters, TypedTextThatIsNoNumberChangesNothing) {
    for (const char* typed : {"", "abc", "nan", "-nan", "%", " "}) {
        for (std::int32_t index = 0; index < 3; ++index) {
            WidthEffect effect(nullptr);
            effect.setParameter(0, 0.8f);
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%s", typed);
            EXPECT_TRUE(effect.parseParameterText(index, buffer)) << typed;
            EXPECT_EQ(effect.getParameter(0), 0.8f) << typed;
            EXPECT_EQ(effect.getParameter(1), 0.0f) << typed;
            EXPECT_EQ(effect.getParameter(2), 0.0f) << typed;
        }
    }
}

TEST(Parameters, TypedTextEdgeCases) {
    WidthEffect effect(nullptr);
    char one[] = "1";
    EXPECT_FALSE(effect.parseParameterText(3, one));
    EXPECT_FALSE(effect.parseParameterText(-1, one));
    EXPECT_TRUE(effect.parseParameterText(1, nullptr));
    EXPECT_EQ(effect.getParameter(1), 0.0f);
}

TEST(Parameters, TypingNeitherAutomatesNorTellsTheHost) {
    RecordingHost host;
    WidthEffect effect(RecordingHost::callback());
    char typed[] = "50";
    effect.parseParameterText(0, typed);
    EXPECT_TRUE(host.requests().empty());
}

TEST(Parameters, NullTextBuffersAreNotWritten) {
    WidthEffect effect(nullptr);
    for (std::int32_t op :
         {opGetProgramName, opSetProgramName, opGetParameterUnit, opGetParameterText,
          opGetParameterName, opGetEffectName, opGetVendorName, opGetProductName, opGetErrorText})
        for (std::int32_t index = -1; index < 4; ++index)
            effect.dispatch(op, index, 0, nullptr, 0.0f);
    EXPECT_EQ(effect.dispatch(opGetVendorName, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(effect.dispatch(opGetProgramNameAt, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(text(effect, opGetProgramName, 0), "Init 1");
}

TEST(Vendor, NameAndCategory) {
    WidthEffect effect(nullptr);
    EXPECT_EQ(text(effect, opGetVendorName, 0), "Quillfen");
    EXPECT_EQ(effect.dispatch(opGetCategory, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(effect.dispatch(opGetStandardVersion, 0, 0, nullptr, 0.0f), 2200);
}

TEST(Vendor, WheelCallWithoutAnEditorAnswersTheBase) {
    WidthEffect effect(nullptr);
    EXPECT_EQ(effect.dispatch(opVendorCall, fourChar("qoWM"), fourChar("Whee"), nullptr, 1.0f), 0);
    EXPECT_EQ(effect.dispatch(opVendorCall, fourChar("Whee"), fourChar("qoWM"), nullptr, 1.0f), 0);
}

} // namespace
