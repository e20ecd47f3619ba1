// Audio buffers and output rules for the validator's processing checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Two channels of up to capacity frames, each followed by guard samples that
// no processing call may touch. Copies copy the samples.
class GuardedStereo {
public:
    static constexpr std::int32_t guardFrames = 16;
    static constexpr float guardValue = -12345.5f;

    explicit GuardedStereo(std::int32_t capacity);

    float* channel(int index) { return samples[static_cast<std::size_t>(index)].data(); }
    const float* channel(int index) const {
        return samples[static_cast<std::size_t>(index)].data();
    }
    // The channel pointers as the processing entries take them.
    float** pointers();

    // Puts the guard right after frames (the block about to be processed).
    void guardAfter(std::int32_t frames);
    // Whether the guard after frames is still intact.
    bool guardIntact(std::int32_t frames) const;

private:
    std::vector<float> samples[2];
    float* channelPointers[2];
};

// The largest absolute sample of both channels' first frames samples.
float largestMagnitude(const float* left, const float* right, std::int32_t frames);

// Checks one processed block of both channels: every sample finite and at
// most 4 times the largest input sample (largestInput). For an accumulating
// call, before holds what the outputs held and the added part is checked.
// Answers the first fault found, or an empty text.
std::string checkProcessedBlock(const float* const after[2], const float* const before[2],
                                std::int32_t frames, float largestInput);
