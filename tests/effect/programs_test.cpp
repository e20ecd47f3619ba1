// The eight programs: selection, the current-program invariant and names.
#include "effect/width_effect.h"
#include "plugin/opcodes.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string programName(WidthEffect& effect) {
    char buffer[64];
    effect.dispatch(opGetProgramName, 0, 0, buffer, 0.0f);
    return buffer;
}

std::string listedName(WidthEffect& effect, std::int32_t index) {
    char buffer[64] = "untouched";
    effect.dispatch(opGetProgramNameAt, index, 0, buffer, 0.0f);
    return buffer;
}

TEST(Programs, StartAsInitOneToEight) {
    WidthEffect effect(nullptr);
    for (std::int32_t i = 0; i < 8; ++i) {
        effect.dispatch(opSetProgram, 0, i, nullptr, 0.0f);
        EXPECT_EQ(programName(effect), "Init " + std::to_string(i + 1));
        EXPECT_EQ(listedName(effect, i), "Init " + std::to_string(i + 1));
        EXPECT_EQ(effect.getParameter(0), 0.5f);
        EXPECT_EQ(effect.getParameter(1), 0.0f);
        EXPECT_EQ(effect.getParameter(2), 0.0f);
    }
}

TEST(Programs, EachProgramKeepsItsOwnValues) {
    WidthEffect effect(nullptr);
    effect.dispatch(opSetProgram, 0, 2, nullptr, 0.0f);
    effect.setParameter(0, 0.8f);
    effect.setParameter(1, 1.0f);
    char typed[] = "1";
    effect.parseParameterText(2, typed);
    effect.dispatch(opSetProgram, 0, 5, nullptr, 0.0f);
    EXPECT_EQ(effect.getParameter(0), 0.5f);
    EXPECT_EQ(effect.getParameter(1), 0.0f);
    EXPECT_EQ(effect.getParameter(2), 0.0f);
    effect.dispatch(opSetProgram, 0, 2, nullptr, 0.0f);
    EXPECT_EQ(effect.getParameter(0), 0.8f);
    EXPECT_EQ(effect.getParameter(1), 1.0f);
    EXPECT_EQ(effect.getParameter(2), 1.0f);
    EXPECT_EQ(effect.dispatch(opGetProgram, 0, 0, nullptr, 0.0f), 2);
}

TEST(Programs, OutOfRangeSelectionIsIgnored) {
    WidthEffect effect(nullptr);
    effect.dispatch(opSetProgram, 0, 3, nullptr, 0.0f);
    effect.dispatch(opSetProgram, 0, 8, nullptr, 0.0f);
    effect.dispatch(opSetProgram, 0, -1, nullptr, 0.0f);
    EXPECT_EQ(effect.dispatch(opGetProgram, 0, 0, nullptr, 0.0f), 3);
}

TEST(Programs, RenamingAndListing) {
    WidthEffect effect(nullptr);
    const struct {
        const char* given;
        const char* listed;
    } cases[] = {{"Init", "Init 4"},
                 {"Init 1", "Init 1"},
                 {"init", "init"},
                 {"", ""},
                 {"Wide Drums", "Wide Drums"}};
    effect.dispatch(opSetProgram, 0, 3, nullptr, 0.0f);
    for (const auto& c : cases) {
        char name[64];
        std::snprintf(name, sizeof name, "%s", c.given);
        effect.dispatch(opSetProgramName, 0, 0, name, 0.0f);
        EXPECT_EQ(programName(effect), c.given);
        EXPECT_EQ(listedName(effect, 3), c.listed);
    }
    EXPECT_EQ(listedName(effect, 2), "Init 3");
}

TEST(Programs, LongNamesAreCutToTwentyThreeCharacters) {
    WidthEffect effect(nullptr);
    char name[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    effect.dispatch(opSetProgramName, 0, 0, name, 0.0f);
    EXPECT_EQ(programName(effect), "abcdefghijklmnopqrstuvw");
    EXPECT_EQ(listedName(effect, 0), "abcdefghijklmnopqrstuvw");
}

TEST(Programs, ListingOutsideTheProgramsLeavesTheBufferAlone) {
    WidthEffect effect(nullptr);
    for (std::int32_t index : {-1, 8, 100}) {
        char buffer[16] = "untouched";
        EXPECT_EQ(effect.dispatch(opGetProgramNameAt, index, 0, buffer, 0.0f), 0);
        EXPECT_STREQ(buffer, "untouched");
    }
}

} // namespace
