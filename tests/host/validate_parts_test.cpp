// The rules validate's checks apply: the output bound, the guards after a
// block, and the room a text may take.
#include "host/validate_audio.h"
#include "host/validate_text.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct BlockCase {
    const char* what;
    float out;    // written into frame 2 of output 1
    float before; // what output 1 held there (accumulating cases)
    bool accumulating;
    bool passes;
};

TEST(ValidateRules, ProcessedBlockMustStayFiniteAndWithinFourTimesTheInput) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    const BlockCase cases[] = {
        {"4 x the input", 2.0f, 0.0f, false, true},
        {"-4 x the input", -2.0f, 0.0f, false, true},
        {"4.01 x the input", 2.005f, 0.0f, false, false},
        {"NaN", nan, 0.0f, false, false},
        {"infinity", -inf, 0.0f, false, false},
        {"adds 4 x onto a large sample", 1000.0f + 2.0f, 1000.0f, true, true},
        {"adds 5 x onto a large sample", 1000.0f + 2.5f, 1000.0f, true, false},
        {"adds 4 x onto -1", 1.0f, -1.0f, true, true},
        {"adds nothing to NaN", nan, nan, true, false},
    };
    for (const BlockCase& c : cases) {
        float out0[4] = {0.1f, 0.2f, 0.3f, 0.4f};
        float out1[4] = {0.0f, 0.0f, c.out, 0.0f};
        float before0[4] = {0.1f, 0.2f, 0.3f, 0.4f};
        float before1[4] = {0.0f, 0.0f, c.before, 0.0f};
        const float* after[2] = {out0, out1};
        const float* before[2] = {before0, before1};
        if (!c.accumulating) std::memset(before0, 0, sizeof before0);
        const std::string problem =
            checkProcessedBlock(after, c.accumulating ? before : nullptr, 4, 0.5f);
        EXPECT_EQ(problem.empty(), c.passes) << c.what << ": " << problem;
        if (!c.passes) {
            EXPECT_NE(problem.find("output 1 frame 2"), std::string::npos) << problem;
        }
    }
}

TEST(ValidateRules, SilentInputAllowsOnlySilence) {
    float out0[2] = {0.0f, 0.0f};
    float out1[2] = {0.0f, 1e-30f};
    const float* after[2] = {out0, out1};
    EXPECT_NE(checkProcessedBlock(after, nullptr, 2, 0.0f), "");
    out1[1] = 0.0f;
    EXPECT_EQ(checkProcessedBlock(after, nullptr, 2, 0.0f), "");
    EXPECT_EQ(largestMagnitude(out0, out1, 2), 0.0f);
}

TEST(ValidateRules, GuardCatchesAWriteOneFramePastTheBlock) {
    GuardedStereo buffer(8);
    buffer.guardAfter(5);
    buffer.channel(0)[4] = 1.0f; // inside the block
    EXPECT_TRUE(buffer.guardIntact(5));
    buffer.channel(1)[5] = 1.0f;
    EXPECT_FALSE(buffer.guardIntact(5));
    // A copy has buffers of its own.
    GuardedStereo copy = buffer;
    copy.pointers()[0][0] = 7.0f;
    EXPECT_EQ(buffer.channel(0)[0], 0.0f);
    EXPECT_EQ(copy.channel(0)[0], 7.0f);
}

struct TextCase {
    const char* what;
    const char* written; // copied with its terminator unless unterminated
    std::size_t extraAt; // a byte written there as well, 0 for none
    bool terminated;
    const char* problem; // part of the expected problem, or null when it passes
};

TEST(ValidateRules, TextMustBeTerminatedWithinItsRoom) {
    const TextCase cases[] = {
        {"8 characters", "12345678", 0, true, nullptr},
        {"empty", "", 0, true, nullptr},
        {"9 characters", "123456789", 0, true, "has 9 characters, more than 8"},
        {"no terminator", "12345678901234567890", 0, false, "not terminated within 64 bytes"},
        {"padding within the room", "abc", 8, true, nullptr},
        {"a byte past the room", "abc", 9, true, "byte 9 written"},
    };
    for (const TextCase& c : cases) {
        PatternBuffer buffer(64);
        if (c.terminated)
            std::strcpy(buffer.data(), c.written);
        else
            std::memset(buffer.data(), 'x', 64);
        if (c.extraAt) buffer.data()[c.extraAt] = '\0';
        const std::string problem = buffer.checkText(8);
        if (c.problem)
            EXPECT_NE(problem.find(c.problem), std::string::npos) << c.what << ": " << problem;
        else
            EXPECT_EQ(problem, "") << c.what;
    }
    PatternBuffer untouched(16);
    EXPECT_TRUE(untouched.untouched());
    untouched.data()[15] = 'a';
    EXPECT_FALSE(untouched.untouched());
}

TEST(ValidateRules, QuotedTextShowsOddBytesAndCutsLongTexts) {
    EXPECT_EQ(quotedText("a\"b\x01"), "\"a\\x22b\\x01\"");
    EXPECT_EQ(quotedText(std::string(50, 'z')), "\"" + std::string(40, 'z') + "...\"");
}

} // namespace
