#include "host/test_signal.h"

#include <cmath>

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double eventSeconds = 0.3;
constexpr double fadeSeconds = 0.01;
constexpr double toneLevel = 0.4;
constexpr double noiseLevel = 0.25;

struct Event {
    double start; // seconds into each second
    double left;  // gains of the source in the two channels
    double right;
    double frequency; // 0 for noise
};

constexpr Event events[] = {
    {0.00, 1.0, 0.0, 440.0}, // left
    {0.33, 0.0, 1.0, 660.0}, // right
    {0.66, 1.0, 1.0, 0.0},   // centre
};

// Raised-cosine fades at both ends of an event; 0 outside it.
double envelope(double t) {
    if (t < 0.0 || t >= eventSeconds) return 0.0;
    double edge = std::fmin(t, eventSeconds - t);
    if (edge >= fadeSeconds) return 1.0;
    return 0.5 - 0.5 * std::cos(pi * edge / fadeSeconds);
}

// White noise in [-1, 1) from the frame number alone.
double noiseAt(std::int64_t frame) {
    auto x = static_cast<std::uint32_t>(frame);
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return static_cast<double>(x) / 2147483648.0 - 1.0;
}

} // namespace

TestSignal::TestSignal(double seconds)
    : total(static_cast<std::int64_t>(std::llround(seconds * sampleRate))) {}

void TestSignal::render(std::int64_t first, std::size_t count, float* interleaved) const {
    for (std::size_t i = 0; i < count; ++i) {
        std::int64_t frame = first + static_cast<std::int64_t>(i);
        double left = 0.0;
        double right = 0.0;
        if (frame >= 0 && frame < total) {
            double seconds = static_cast<double>(frame) / sampleRate;
            double inCycle = seconds - std::floor(seconds);
            for (const Event& event : events) {
                double gain = envelope(inCycle - event.start);
                if (gain == 0.0) continue;
                double sample = event.frequency > 0.0
                                    ? toneLevel * std::sin(2.0 * pi * event.frequency * seconds)
                                    : noiseLevel * noiseAt(frame);
                left += gain * event.left * sample;
                right += gain * event.right * sample;
            }
        }
        interleaved[2 * i] = static_cast<float>(left);
        interleaved[2 * i + 1] = static_cast<float>(right);
    }
}
