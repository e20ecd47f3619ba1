// The width measures quillhost demo prints.
#include "host/stereo_stats.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Interleaved frames (left(i), right(i)) for a short varying signal.
template <typename Pair>
std::vector<float> frames(Pair pair, int count = 64) {
    std::vector<float> out;
    for (int i = 0; i < count; ++i) {
        float x = std::sin(0.3f * static_cast<float>(i)) + 0.1f;
        auto [left, right] = pair(x);
        out.push_back(left);
        out.push_back(right);
    }
    return out;
}

StereoStats measure(const std::vector<float>& signal) {
    StereoStats stats;
    stats.add(signal.data(), signal.size() / 2);
    return stats;
}

TEST(StereoStats, MonoHasNoSideAndFullCorrelation) {
    StereoStats stats = measure(frames([](float x) { return std::pair{x, x}; }));
    EXPECT_EQ(stats.sideToMid(), 0.0);
    EXPECT_NEAR(stats.correlation(), 1.0, 1e-12);
}

TEST(StereoStats, OppositeChannelsHaveNoMid) {
    StereoStats stats = measure(frames([](float x) { return std::pair{x, -x}; }));
    EXPECT_TRUE(std::isinf(stats.sideToMid()));
    EXPECT_NEAR(stats.correlation(), -1.0, 1e-12);
}

TEST(StereoStats, OneSidedSignalHasEqualMidAndSideAndNoCorrelation) {
    StereoStats stats = measure(frames([](float x) { return std::pair{x, 0.0f}; }));
    EXPECT_NEAR(stats.sideToMid(), 1.0, 1e-12);
    EXPECT_TRUE(std::isnan(stats.correlation())); // undefined with a silent channel
}

TEST(StereoStats, QuarterTurnApartChannelsAreUncorrelated) {
    std::vector<float> signal;
    for (int i = 0; i < 400; ++i) {
        signal.push_back(std::sin(0.0314159265f * static_cast<float>(i)));
        signal.push_back(std::cos(0.0314159265f * static_cast<float>(i)));
    }
    EXPECT_NEAR(measure(signal).correlation(), 0.0, 1e-4);
}

TEST(StereoStats, ScalingTheSideScalesTheRatioByItsSquare) {
    // L = m + s, R = m - s with the side doubled: the ratio grows fourfold.
    auto narrow = frames([](float x) { return std::pair{x + 0.25f * x * x, x - 0.25f * x * x}; });
    auto wide = frames([](float x) { return std::pair{x + 0.5f * x * x, x - 0.5f * x * x}; });
    EXPECT_NEAR(measure(wide).sideToMid(), 4.0 * measure(narrow).sideToMid(), 1e-6);
}

TEST(StereoStats, SilenceHasNoValues) {
    StereoStats stats = measure(std::vector<float>(32, 0.0f));
    EXPECT_TRUE(std::isnan(stats.sideToMid()));
    EXPECT_TRUE(std::isnan(stats.correlation()));
}

TEST(StereoStats, AccumulatesAcrossCalls) {
    auto signal = frames([](float x) { return std::pair{x, 0.5f * x + 0.1f}; });
    StereoStats whole = measure(signal);
    StereoStats parts;
    parts.add(signal.data(), 10);
    parts.add(signal.data() + 20, signal.size() / 2 - 10);
    EXPECT_DOUBLE_EQ(parts.sideToMid(), whole.sideToMid());
    EXPECT_DOUBLE_EQ(parts.correlation(), whole.correlation());
}

} // namespace
