// The demonstration signal: where its sources sit in the stereo image.
#include "host/test_signal.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<float> render(const TestSignal& signal, std::int64_t first, std::size_t count) {
    std::vector<float> out(count * 2);
    signal.render(first, count, out.data());
    return out;
}

// The given number of frames from the given time on.
std::vector<float> around(double seconds, std::size_t count = 2205) {
    TestSignal signal;
    return render(signal, static_cast<std::int64_t>(seconds * TestSignal::sampleRate), count);
}

double energy(const std::vector<float>& frames, int channel) {
    double sum = 0.0;
    for (std::size_t i = channel; i < frames.size(); i += 2)
        sum += frames[i] * frames[i];
    return sum;
}

TEST(TestSignal, LastsFiveSecondsAt44100) {
    TestSignal signal;
    EXPECT_EQ(signal.frames(), 5 * 44100);
    EXPECT_EQ(TestSignal(1.0).frames(), 44100);
}

TEST(TestSignal, PlacesALeftARightAndACentreSource) {
    auto left = around(0.1);
    EXPECT_GT(energy(left, 0), 1.0);
    EXPECT_EQ(energy(left, 1), 0.0);

    auto right = around(0.45);
    EXPECT_EQ(energy(right, 0), 0.0);
    EXPECT_GT(energy(right, 1), 1.0);

    auto centre = around(0.8);
    EXPECT_GT(energy(centre, 0), 1.0);
    for (std::size_t i = 0; i < centre.size(); i += 2)
        ASSERT_EQ(centre[i], centre[i + 1]) << i;

    auto gap = around(3.301, 1200); // 0.30 to 0.33 s of each second is silent
    EXPECT_EQ(energy(gap, 0) + energy(gap, 1), 0.0);
}

TEST(TestSignal, AnyStretchRendersAsInTheWholeAndLeavesHeadroom) {
    TestSignal signal(1.0);
    auto whole = render(signal, 0, 44100);
    auto stretch = render(signal, 30000, 1000);
    for (std::size_t i = 0; i < stretch.size(); ++i)
        ASSERT_EQ(stretch[i], whole[60000 + i]) << i;
    float peak = 0.0f;
    for (float sample : whole)
        peak = std::fmax(peak, std::fabs(sample));
    EXPECT_GT(peak, 0.2f);
    EXPECT_LE(peak, 0.5f); // widening doubles the side: room for it below full scale
}

TEST(TestSignal, IsSilentPastItsEnd) {
    TestSignal signal(1.0);
    auto past = render(signal, 44100 - 2, 8);
    for (std::size_t i = 4; i < past.size(); ++i)
        EXPECT_EQ(past[i], 0.0f);
}

} // namespace
