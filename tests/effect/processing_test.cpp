// The width processing: the worked tables, ramps, routing, both operations,
// in place, and the values a host must never be able to break it with.
#include "effect/width_effect.h"
#include "effect/width_processing.h"
#include "plugin/opcodes.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

const float nan = std::numeric_limits<float>::quiet_NaN();
const float inf = std::numeric_limits<float>::infinity();

// Two input and two output channels of one block.
struct Block {
    std::vector<float> l, r, out0, out1;
    Block(std::size_t frames, float left, float right, float held = 0.0f)
        : l(frames, left), r(frames, right), out0(frames, held), out1(frames, held) {}
    void run(WidthEffect& effect, bool accumulate = false) {
        float* in[2] = {l.data(), r.data()};
        float* out[2] = {out0.data(), out1.data()};
        const auto n = static_cast<std::int32_t>(l.size());
        accumulate ? effect.processAccumulating(in, out, n) : effect.processOverwriting(in, out, n);
    }
};

// An effect settled at one width: previousWidth equals width.
void settle(WidthEffect& effect, float width, bool center = false, bool inverse = false) {
    effect.setParameter(0, width);
    effect.setParameter(1, inverse ? 1.0f : 0.0f);
    effect.setParameter(2, center ? 1.0f : 0.0f);
    effect.dispatch(opSwitchOnOff, 0, 1, nullptr, 0.0f);
}

struct SteadyCase {
    float width;
    float l, r;
    float normal0, normal1;
    float centre0, centre1; // with Center on
};

const SteadyCase steady[] = {
    {0.0f, 1, 0, 0.666667f, 0.666667f, 0.666667f, 0.666667f},
    {0.0f, 0.5f, 0.5f, 0.666667f, 0.666667f, 0.666667f, 0.666667f},
    {0.5f, 1, 0, 1, 0, 1, 0},
    {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f},
    {0.75f, 1, 0, 1.333333f, -0.666667f, 1.25f, -0.25f},
    {0.75f, 0.5f, 0.5f, 0.333333f, 0.333333f, 0.5f, 0.5f},
    {1.0f, 1, 0, 2, -2, 1.5f, -0.5f},
    {1.0f, 0.5f, 0.5f, 0, 0, 0.5f, 0.5f},
};

TEST(Processing, SteadyWidthsMatchTheWorkedTable) {
    for (bool accumulate : {false, true}) {
        for (bool center : {false, true}) {
            for (bool inverse : {false, true}) {
                for (const auto& c : steady) {
                    WidthEffect effect(nullptr);
                    settle(effect, c.width, center, inverse);
                    Block block(5, c.l, c.r, accumulate ? 0.25f : 9.0f);
                    block.run(effect, accumulate);
                    float e0 = center ? c.centre0 : c.normal0;
                    float e1 = center ? c.centre1 : c.normal1;
                    if (inverse) std::swap(e0, e1);
                    const float held = accumulate ? 0.25f : 0.0f;
                    for (std::size_t i = 0; i < 5; ++i) {
                        EXPECT_NEAR(block.out0[i], e0 + held, 1e-5f)
                            << c.width << " center " << center << " inverse " << inverse;
                        EXPECT_NEAR(block.out1[i], e1 + held, 1e-5f)
                            << c.width << " center " << center << " inverse " << inverse;
                    }
                }
            }
        }
    }
}

TEST(Processing, RampsLinearlyAcrossTheBlock) {
    WidthEffect effect(nullptr);
    effect.setParameter(0, 1.0f); // previousWidth is still 0.5
    Block block(4, 1, 0, 9.0f);
    block.run(effect);
    const float out0[] = {1.0f, 1.142857f, 1.333333f, 1.6f};
    const float out1[] = {0.0f, -0.285714f, -0.666667f, -1.2f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(block.out0[i], out0[i], 1e-5f) << i;
        EXPECT_NEAR(block.out1[i], out1[i], 1e-5f) << i;
    }
    Block next(2, 1, 0);
    next.run(effect);
    EXPECT_NEAR(next.out0[0], 2.0f, 1e-6f);
    EXPECT_NEAR(next.out1[0], -2.0f, 1e-6f);
}

TEST(Processing, CentreModeRampScalesOnlyTheSide) {
    WidthEffect effect(nullptr);
    settle(effect, 0.75f, true);
    effect.setParameter(0, 1.0f);
    Block block(4, 1, 0);
    block.run(effect);
    const float out0[] = {1.25f, 1.3125f, 1.375f, 1.4375f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(block.out0[i], out0[i], 1e-6f) << i;
        EXPECT_NEAR(block.out1[i], -(out0[i] - 1.0f), 1e-6f) << i;
        EXPECT_NEAR(block.out0[i] + block.out1[i], 1.0f, 1e-6f) << i;
    }
}

TEST(Processing, CentreModeStartsOnlyAboveHalfWidth) {
    // Start width 0.5 ramping upwards: normal mode although Center is on.
    WidthEffect withCenter(nullptr), without(nullptr);
    settle(withCenter, 0.5f, true);
    settle(without, 0.5f, false);
    withCenter.setParameter(0, 1.0f);
    without.setParameter(0, 1.0f);
    Block a(16, 0.3f, -0.7f), b(16, 0.3f, -0.7f);
    a.run(withCenter);
    b.run(without);
    EXPECT_EQ(a.out0, b.out0);
    EXPECT_EQ(a.out1, b.out1);
    // The next block starts at 1.0 and is in centre mode.
    Block c(1, 1, 0);
    c.run(withCenter);
    EXPECT_NEAR(c.out0[0], 1.5f, 1e-6f);
}

TEST(Processing, ZeroAndNegativeFramesOnlyMoveTheRampStart) {
    for (std::int32_t frames : {0, -1, -100000}) {
        WidthEffect effect(nullptr);
        effect.setParameter(0, 1.0f);
        float sample = 7.0f;
        float* channels[2] = {&sample, &sample};
        effect.processOverwriting(channels, channels, frames);
        effect.processAccumulating(channels, channels, frames);
        EXPECT_EQ(sample, 7.0f);
        Block block(3, 1, 0);
        block.run(effect); // no ramp: the whole block at 1.0
        EXPECT_NEAR(block.out0[0], 2.0f, 1e-6f) << frames;
        EXPECT_NEAR(block.out0[2], 2.0f, 1e-6f) << frames;
    }
}

TEST(Processing, SwitchOnStartsTheNextBlockAtTheCurrentWidth) {
    WidthEffect effect(nullptr);
    effect.setParameter(0, 0.0f);
    effect.dispatch(opSwitchOnOff, 0, 1, nullptr, 0.0f);
    Block block(3, 1, 0);
    block.run(effect);
    for (float v : block.out0)
        EXPECT_NEAR(v, 0.666667f, 1e-5f);
}

TEST(Processing, ParameterChangesWaitForTheNextBlock) {
    WidthEffect effect(nullptr);
    Block block(8, 1, 0);
    block.run(effect);
    effect.setParameter(1, 1.0f);
    for (float v : block.out0)
        EXPECT_EQ(v, 1.0f);
    Block next(2, 1, 0);
    next.run(effect);
    EXPECT_EQ(next.out1[0], 1.0f); // swapped from this block on
}

TEST(Processing, WorksInPlaceInBothModesAndOperations) {
    const float widths[] = {0.0f, 0.3f, 0.5f, 0.8f, 1.0f};
    for (bool accumulate : {false, true})
        for (bool center : {false, true})
            for (bool inverse : {false, true})
                for (float w : widths) {
                    WidthEffect separate(nullptr), inPlace(nullptr);
                    settle(separate, 0.6f, center, inverse);
                    settle(inPlace, 0.6f, center, inverse);
                    separate.setParameter(0, w);
                    inPlace.setParameter(0, w);
                    std::vector<float> l(13), r(13);
                    for (std::size_t i = 0; i < l.size(); ++i) {
                        l[i] = std::sin(0.3f * static_cast<float>(i));
                        r[i] = std::cos(0.7f * static_cast<float>(i));
                    }
                    std::vector<float> o0 = l, o1 = r; // accumulate onto the same values
                    float* in[2] = {l.data(), r.data()};
                    float* out[2] = {o0.data(), o1.data()};
                    const auto n = static_cast<std::int32_t>(l.size());
                    accumulate ? separate.processAccumulating(in, out, n)
                               : separate.processOverwriting(in, out, n);
                    std::vector<float> bl = l, br = r;
                    float* both[2] = {bl.data(), br.data()};
                    accumulate ? inPlace.processAccumulating(both, both, n)
                               : inPlace.processOverwriting(both, both, n);
                    EXPECT_EQ(bl, o0) << w << center << inverse << accumulate;
                    EXPECT_EQ(br, o1) << w << center << inverse << accumulate;
                }
}

TEST(Processing, HostWidthsOutsideTheRangeNeverBreakTheSound) {
    const float hostile[] = {1.5f, -1.0f, 2.0f, nan, inf, -inf, 1e30f, -1e30f, 1e-40f};
    for (bool center : {false, true}) {
        for (float w : hostile) {
            WidthEffect effect(nullptr);
            settle(effect, 0.5f, center);
            effect.setParameter(0, w);
            if (!std::isnan(w)) {
                EXPECT_EQ(effect.getParameter(0), w); // stored as received
            }
            for (int round = 0; round < 2; ++round) {
                Block block(64, 0.9f, -0.4f);
                block.run(effect, round == 1);
                for (std::size_t i = 0; i < 64; ++i) {
                    ASSERT_TRUE(std::isfinite(block.out0[i])) << w;
                    ASSERT_TRUE(std::isfinite(block.out1[i])) << w;
                    ASSERT_LE(std::fabs(block.out0[i]), 4.0f) << w;
                }
            }
        }
    }
}

TEST(Processing, OutOfRangeWidthsAreProcessedClampedAndNaNAsHalf) {
    const struct {
        float given;
        float processedAs;
    } cases[] = {{1.5f, 1.0f}, {-1.0f, 0.0f}, {nan, 0.5f}, {inf, 1.0f}};
    for (const auto& c : cases) {
        WidthEffect hostile(nullptr), reference(nullptr);
        settle(hostile, c.given);
        settle(reference, c.processedAs);
        Block a(4, 0.9f, -0.4f), b(4, 0.9f, -0.4f);
        a.run(hostile);
        b.run(reference);
        EXPECT_EQ(a.out0, b.out0) << c.given;
        EXPECT_EQ(a.out1, b.out1) << c.given;
    }
}

TEST(Processing, RampEndsOneStepShortAndContinuesWithoutAJump) {
    WidthEffect effect(nullptr);
    effect.setParameter(0, 1.0f);
    Block block(64, 1, 0);
    block.run(effect);
    const float last = block.out0.back(); // width 0.5 + 63/64 * 0.5
    const float w = 0.5f + 63.0f / 128.0f;
    EXPECT_NEAR(last, (1.0f) / (1.5f - w), 1e-4f);
    Block next(1, 1, 0);
    next.run(effect);
    EXPECT_GT(next.out0[0], last);
    EXPECT_NEAR(next.out0[0] - last, 0.0317f, 0.01f);
}

TEST(Processing, ZeroWidthIsTwoThirdsOfTheSum) {
    WidthEffect effect(nullptr);
    settle(effect, 0.0f);
    Block block(3, 0.9f, -0.3f);
    block.run(effect);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(block.out0[i], (0.9f - 0.3f) * 2.0f / 3.0f, 1e-6f);
        EXPECT_NEAR(block.out1[i], (0.9f - 0.3f) * 2.0f / 3.0f, 1e-6f);
    }
}

} // namespace
