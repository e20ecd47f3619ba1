#include "host/validate_audio.h"

#include "host/validate_check.h"

#include <algorithm>
#include <cmath>

GuardedStereo::GuardedStereo(std::int32_t capacity) : channelPointers{nullptr, nullptr} {
    for (auto& channel : samples)
        channel.assign(static_cast<std::size_t>(capacity + guardFrames), 0.0f);
}

float** GuardedStereo::pointers() {
    channelPointers[0] = samples[0].data();
    channelPointers[1] = samples[1].data();
    return channelPointers;
}

void GuardedStereo::guardAfter(std::int32_t frames) {
    for (auto& channel : samples)
        std::fill(channel.begin() + frames, channel.begin() + frames + guardFrames, guardValue);
}

bool GuardedStereo::guardIntact(std::int32_t frames) const {
    for (const auto& channel : samples)
        for (std::int32_t i = frames; i < frames + guardFrames; ++i)
            if (channel[static_cast<std::size_t>(i)] != guardValue) return false;
    return true;
}

float largestMagnitude(const float* left, const float* right, std::int32_t frames) {
    float largest = 0.0f;
    for (std::int32_t i = 0; i < frames; ++i)
        largest = std::max({largest, std::fabs(left[i]), std::fabs(right[i])});
    return largest;
}

std::string checkProcessedBlock(const float* const after[2], const float* const before[2],
                                std::int32_t frames, float largestInput) {
    // 4 times the input is the widest the effect goes (width 1.0: 2 (L - R));
    // the room above it is the rounding of a ramp carried over 4096 frames.
    const double bound = 4.0 * static_cast<double>(largestInput) * (1.0 + 1.0 / 1024.0);
    for (int c = 0; c < 2; ++c) {
        for (std::int32_t i = 0; i < frames; ++i) {
            const float out = after[c][i];
            if (!std::isfinite(out))
                return formatText("output %d frame %d is %g", c, static_cast<int>(i),
                                  static_cast<double>(out));
            double added = out;
            double slack = 0.0;
            if (before) {
                added = static_cast<double>(out) - static_cast<double>(before[c][i]);
                // The sum was rounded to a float as large as the two summands.
                slack = (std::fabs(static_cast<double>(before[c][i])) + std::fabs(added)) *
                        (1.0 / 4194304.0);
            }
            if (std::fabs(added) > bound + slack)
                return formatText("output %d frame %d %s %g, more than 4 x the largest input "
                                  "sample %g",
                                  c, static_cast<int>(i), before ? "adds" : "is", added,
                                  static_cast<double>(largestInput));
        }
    }
    return {};
}
